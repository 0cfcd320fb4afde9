#include "framework/Dpi.h"

namespace zavo {

UINT WindowDpi(HWND window) {
    const UINT dpi = window ? ::GetDpiForWindow(window) : ::GetDpiForSystem();
    return dpi ? dpi : kBaseDpi;
}

namespace {
constexpr const wchar_t* kDrawingDpiProperty = L"ZAVO.DrawingDpi";
}

UINT DrawingDpi(HWND window) {
    HWND top = window ? ::GetAncestor(window, GA_ROOT) : nullptr;
    if (!top) top = window;
    if (top) {
        if (const auto dpi = reinterpret_cast<UINT_PTR>(::GetPropW(top, kDrawingDpiProperty))) return static_cast<UINT>(dpi);
    }
    return WindowDpi(top);
}

void SetDrawingDpi(HWND topLevel, UINT dpi) {
    ::SetPropW(topLevel, kDrawingDpiProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(dpi)));
}

void ClearDrawingDpi(HWND topLevel) { ::RemovePropW(topLevel, kDrawingDpiProperty); }

UnawareWindowCreation::UnawareWindowCreation()
    : m_Previous(::SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE)) {}

UnawareWindowCreation::~UnawareWindowCreation() {
    if (m_Previous) ::SetThreadDpiAwarenessContext(m_Previous);
}

ScopedFont FontAtDpi(HFONT font, UINT fromDpi, UINT toDpi) {
    LOGFONTW lf{};
    if (!font || !::GetObjectW(font, sizeof lf, &lf)) return ScopedFont();
    lf.lfHeight = ::MulDiv(lf.lfHeight, static_cast<int>(toDpi), static_cast<int>(fromDpi ? fromDpi : kBaseDpi));
    lf.lfWidth = ::MulDiv(lf.lfWidth, static_cast<int>(toDpi), static_cast<int>(fromDpi ? fromDpi : kBaseDpi));
    return ScopedFont(::CreateFontIndirectW(&lf));
}

}  // namespace zavo
