#include "skin/SkinnedDialog.h"

#include "framework/Gdi.h"
#include "skin/BitmapBtn.h"
#include "skin/Region.h"

namespace zavo {

void CSkinDialog::CreateButtons(const SkinFace& face, const FaceSet& looks) {
    const std::vector<SkinButtonSpec> specs = SkinButtons();
    m_ButtonEntries.clear();
    m_ButtonEntries.reserve(specs.size());
    for (const SkinButtonSpec& spec : specs) {
        ButtonEntry entry = face.Entry(L"BUTTONINFO", spec.key);
        if (spec.button) CreateSkinButton(*spec.button, entry, spec.tooltip.Resolve(entry, m_App), *this, looks);
        m_ButtonEntries.push_back(std::move(entry));
    }
}

void CSkinDialog::LoadFace() {
    const std::wstring file = SkinFile();
    if (file.empty()) return;
    SkinFace face = LoadSkinFace(m_App.SkinFolder(), file);
    MoveWindow(0, 0, face.main.Width(), face.main.Height(), TRUE);
    {
        // Each look is selected once for all the buttons, and "Main" given back
        // before anything can paint it as the background.
        const FaceSet looks(face.main.Handle(), face.over.Handle(), face.down.Handle(), face.disabled.Handle());
        CreateButtons(face, looks);
    }
    // "Main" is decoded once: the buttons cut their rest looks from it and it
    // then stays as the background. The other looks go with `face`.
    m_Background = std::move(face.main);
    m_Mask = std::move(face.mask);
}

int CSkinDialog::OnCreate(CREATESTRUCTW*) {
    if (Default() == -1) return -1;
    LoadFace();
    m_hShape = nullptr;
    ScopedRgn region = RegionFromMask(m_Mask.Handle());
    // Without a mask picture the window keeps its rectangular shape.
    if (region && SetWindowRgn(region, TRUE)) m_hShape = region.Release();
    return 0;
}

void CSkinDialog::PaintFace(HDC dc) {
    RECT client;
    GetClientRect(&client);
    if (m_Background.Empty()) {
        // A skin without its face picture still shows a plain, usable window.
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    MemoryDC source(dc);
    ScopedSelect select(source, m_Background.Handle());
    BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
}

void CSkinDialog::OnPaint() {
    PaintDC dc(m_hWnd);
    PaintFace(dc);
}

// A press on the background drags the window: the platform moves it with the
// mouse as if its caption had been grabbed. The press position goes in screen
// coordinates, as the non-client message carries them.
void CSkinDialog::OnLButtonDown(UINT, POINT pt) {
    POINT screen = pt;
    ClientToScreen(&screen);
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    Default();
}

void CSkinDialog::OnDestroy() {
    Default();
    m_Background.Reset();
    m_Mask.Reset();
    m_hShape = nullptr;
}

}  // namespace zavo
