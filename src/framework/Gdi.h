// Move-only owners of GDI handles: objects (bitmaps, fonts, brushes, pens,
// regions), device contexts (window, paint, memory) and selections into a DC.
// Each releases its handle the way that handle must be released, exactly
// once, when it goes out of scope.
#pragma once

#include <windows.h>

#include <utility>

namespace zavo {

// A GDI object deleted with DeleteObject. Release() gives up ownership, e.g.
// after SetWindowRgn succeeded (the window then owns the region).
template <typename H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H h) : m_h(h) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : m_h(other.Release()) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    H Get() const { return m_h; }
    operator H() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    H Release() { return std::exchange(m_h, nullptr); }
    void Reset(H h = nullptr) {
        if (m_h && m_h != h) ::DeleteObject(m_h);
        m_h = h;
    }

private:
    H m_h = nullptr;
};

using ScopedBitmap = GdiObject<HBITMAP>;
using ScopedFont = GdiObject<HFONT>;
using ScopedBrush = GdiObject<HBRUSH>;
using ScopedPen = GdiObject<HPEN>;
using ScopedRgn = GdiObject<HRGN>;

// Selects an object into a DC and selects the previous one back at the end.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~ScopedSelect() {
        if (m_old) ::SelectObject(m_dc, m_old);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// GetDC / ReleaseDC (client area); GetWindowDC with `whole` = true.
class ClientDC {
public:
    explicit ClientDC(HWND wnd, bool whole = false) : m_wnd(wnd), m_dc(whole ? ::GetWindowDC(wnd) : ::GetDC(wnd)) {}
    ~ClientDC() {
        if (m_dc) ::ReleaseDC(m_wnd, m_dc);
    }
    ClientDC(ClientDC&& o) noexcept : m_wnd(o.m_wnd), m_dc(std::exchange(o.m_dc, nullptr)) {}
    ClientDC(const ClientDC&) = delete;
    ClientDC& operator=(const ClientDC&) = delete;
    ClientDC& operator=(ClientDC&&) = delete;
    operator HDC() const { return m_dc; }
    HDC Get() const { return m_dc; }

private:
    HWND m_wnd;
    HDC m_dc;
};

// BeginPaint / EndPaint, for WM_PAINT handlers.
class PaintDC {
public:
    explicit PaintDC(HWND wnd) : m_wnd(wnd) { m_dc = ::BeginPaint(wnd, &m_ps); }
    ~PaintDC() { ::EndPaint(m_wnd, &m_ps); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    operator HDC() const { return m_dc; }
    HDC Get() const { return m_dc; }
    const RECT& PaintRect() const { return m_ps.rcPaint; }

private:
    HWND m_wnd;
    PAINTSTRUCT m_ps{};
    HDC m_dc;
};

// CreateCompatibleDC / DeleteDC. Objects selected into it must be selected
// out before it is deleted: use ScopedSelect inside its scope.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith = nullptr) : m_dc(::CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() {
        if (m_dc) ::DeleteDC(m_dc);
    }
    MemoryDC(MemoryDC&& o) noexcept : m_dc(std::exchange(o.m_dc, nullptr)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    MemoryDC& operator=(MemoryDC&&) = delete;
    operator HDC() const { return m_dc; }
    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HDC m_dc;
};

// A top-down 32-bit DIB section of cx x cy pixels (0x00RRGGBB words, row by
// row); *bits receives its pixels when not null. Empty on failure.
ScopedBitmap CreateDib32(int cx, int cy, void** bits = nullptr);

}  // namespace zavo
