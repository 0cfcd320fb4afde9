#include "skin/SkinnedDialog.h"

#include "skin/Region.h"

namespace zavo {

void CSkinDialog::LoadFace() { m_ButtonEntries = LoadSkin(*this, SkinFile(), SkinButtons()); }

int CSkinDialog::OnCreate(CREATESTRUCTW*) {
    if (Default() == -1) return -1;
    LoadFace();
    m_hShape = nullptr;
    ScopedRgn region(RegionFromMask(m_Mask.Handle()));
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
