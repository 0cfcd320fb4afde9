// The paired calls of drawing: a selection into a DC and back, a window's DC
// (GetDC/ReleaseDC), a paint (BeginPaint/EndPaint) and a memory DC of its own
// (CreateCompatibleDC/DeleteDC). The GDI objects' owners (ScopedBitmap,
// ScopedFont, ScopedBrush, ScopedPen, ScopedRgn) are the platform's one owner
// template (platform/Win32Handle.h).
#pragma once

#include <windows.h>

#include <utility>

#include "platform/Win32Handle.h"

namespace zavo {

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
class MemoryDC : public ScopedMemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith = nullptr) : ScopedMemoryDC(::CreateCompatibleDC(compatibleWith)) {}
};

// A top-down 32-bit DIB section of cx x cy pixels (0x00RRGGBB words, row by
// row); *bits receives its pixels when not null. Empty on failure.
ScopedBitmap CreateDib32(int cx, int cy, void** bits = nullptr);

}  // namespace zavo
