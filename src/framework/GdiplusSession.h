// The GDI+ session of the process: GdiplusStartup on construction,
// GdiplusShutdown on destruction. Keep exactly one alive while anything uses
// GDI+ (the application object holds it).
#pragma once

#include <windows.h>

namespace zavo {

class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    // False when GdiplusStartup failed (GDI+ must then not be used).
    bool Ok() const { return m_token != 0; }

private:
    ULONG_PTR m_token = 0;
};

}  // namespace zavo
