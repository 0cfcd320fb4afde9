#include "skin/KeyPad.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "skin/BitmapBtn.h"
#include "skin/Region.h"

namespace zavo {

namespace {

RECT ToRect(const SkinRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

static_assert(static_cast<int>(KeyLook::Rest) == FaceSet::MAIN && static_cast<int>(KeyLook::Over) == FaceSet::OVER &&
                  static_cast<int>(KeyLook::Down) == FaceSet::DOWN &&
                  static_cast<int>(KeyLook::Disabled) == FaceSet::DISABLED,
              "a key's look names the face it is drawn from");

}  // namespace

KeyPad::~KeyPad() { Clear(); }

int KeyPad::Add(const SkinRect& rect, std::wstring tooltip, bool latched) {
    m_Tips.push_back(std::move(tooltip));
    return m_States.Add(rect, latched);
}

void KeyPad::Clear() {
    m_Tooltip.Reset();
    m_TrackingLeave = false;
    m_States.Clear();
    m_Tips.clear();
}

void KeyPad::SetLatched(int key, bool latched) {
    if (m_States.SetLatched(key, latched)) RepaintKey(key);
}

void KeyPad::SetEnabled(int key, bool enabled) {
    if (m_States.SetEnabled(key, enabled)) RepaintKey(key);
}

void KeyPad::RepaintKey(int key) const {
    // A hidden host is painted whole when it is shown: nothing to mark until then
    // (start-up sets the looks of all 169 keys before the window appears).
    if (!m_Host || !::IsWindowVisible(m_Host)) return;
    const RECT rc = ToRect(m_States.Rect(key));
    if (rc.right > rc.left && rc.bottom > rc.top) ::InvalidateRect(m_Host, &rc, FALSE);
}

void KeyPad::Repaint(const KeyChanges& changes) const {
    for (int i = 0; i < changes.count; ++i) RepaintKey(changes.keys[i]);
}

void KeyPad::OnMouseMove(POINT pt) {
    // The host hears when the mouse leaves it, for a jump onto another window too.
    if (!m_TrackingLeave && m_Host) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_Host, 0};
        m_TrackingLeave = ::TrackMouseEvent(&track) != FALSE;
    }
    Repaint(m_States.MouseMove(pt.x, pt.y));
}

void KeyPad::OnMouseLeave() {
    m_TrackingLeave = false;
    // A pressed key keeps the mouse captured: the move messages go on.
    if (m_States.Pressed() < 0) Repaint(m_States.MouseLeave());
}

bool KeyPad::OnButtonDown(POINT pt) {
    if (m_States.KeyAt(pt.x, pt.y) < 0) return false;
    KeyChanges changes;
    if (m_States.Press(pt.x, pt.y, changes) && m_Host) ::SetCapture(m_Host);
    Repaint(changes);
    return true;
}

int KeyPad::OnButtonUp(POINT pt) {
    if (m_States.Pressed() < 0) return -1;
    KeyChanges changes;
    // Decided before the capture goes: letting it go ends the press.
    const int clicked = m_States.Release(pt.x, pt.y, changes);
    Repaint(changes);
    if (m_Host && ::GetCapture() == m_Host) ::ReleaseCapture();
    return clicked;
}

void KeyPad::OnCaptureChanged(HWND newCapture) {
    if (newCapture != m_Host) Repaint(m_States.CancelPress());
}

void KeyPad::EnsureTooltip() {
    if (m_Tooltip || !m_Host) return;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    m_Tooltip.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_Host, nullptr,
                                      ::GetModuleHandleW(nullptr), nullptr));
    if (!m_Tooltip) return;
    // One tool per key with a text, its rectangle on the host; the mouse
    // messages come through RelayEvent.
    for (int key = 0; key < m_States.Count(); ++key) {
        const std::wstring& text = m_Tips[static_cast<size_t>(key)];
        if (text.empty()) continue;
        TOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.hwnd = m_Host;
        ti.uId = static_cast<UINT_PTR>(key) + 1;
        ti.rect = ToRect(m_States.Rect(key));
        ti.lpszText = const_cast<wchar_t*>(text.c_str());
        ::SendMessageW(m_Tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

void KeyPad::RelayEvent(MSG* msg) {
    if (!m_Host || msg->hwnd != m_Host || msg->message < WM_MOUSEFIRST || msg->message > WM_MOUSELAST) return;
    // Made when the mouse first reaches the host: a window that is only opened
    // and closed makes none.
    EnsureTooltip();
    if (m_Tooltip) ::SendMessageW(m_Tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}

void KeyPad::Paint(HDC dc, const RECT& area, const FaceSet& faces) const {
    // The keys of one look are drawn together, by one copy from its face
    // clipped to their rectangles: a hundred locked keys cost one copy, not a
    // hundred.
    std::vector<SkinRect> shown[FaceSet::LOOK_COUNT];
    for (int key = 0; key < m_States.Count(); ++key) {
        const KeyLook look = m_States.Look(key);
        if (look == KeyLook::Rest || !faces.Has(static_cast<int>(look))) continue;
        const RECT rc = ToRect(m_States.Rect(key));
        RECT visible;
        if (::IntersectRect(&visible, &rc, &area))
            shown[static_cast<int>(look)].push_back(SkinRect{visible.left, visible.top, visible.right, visible.bottom});
    }
    for (int look = 0; look < FaceSet::LOOK_COUNT; ++look)
        if (!shown[look].empty()) PaintLook(dc, faces, look, shown[look]);
}

void KeyPad::PaintLook(HDC dc, const FaceSet& faces, int look, const std::vector<SkinRect>& rects) {
    SkinRect bounds = rects.front();
    for (const SkinRect& r : rects) {
        bounds.left = std::min(bounds.left, r.left);
        bounds.top = std::min(bounds.top, r.top);
        bounds.right = std::max(bounds.right, r.right);
        bounds.bottom = std::max(bounds.bottom, r.bottom);
    }
    const auto copy = [&] {
        faces.Draw(look, dc, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                   bounds.left, bounds.top);
    };
    if (rects.size() == 1) {
        copy();
        return;
    }
    ScopedRgn clip = RegionFromRectList(rects.data(), rects.size(), bounds);
    if (!clip) {
        // Without a clip region each key is copied on its own.
        for (const SkinRect& r : rects)
            faces.Draw(look, dc, r.left, r.top, r.right - r.left, r.bottom - r.top, r.left, r.top);
        return;
    }
    // A clip region is in device units: move it by the context's origin.
    POINT origin{0, 0};
    ::LPtoDP(dc, &origin, 1);
    ::OffsetRgn(clip, origin.x, origin.y);
    const int saved = ::SaveDC(dc);
    ::ExtSelectClipRgn(dc, clip, RGN_AND);
    copy();
    ::RestoreDC(dc, saved);
}

}  // namespace zavo
