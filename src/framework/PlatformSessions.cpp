#include "framework/PlatformSessions.h"

#include "framework/GdiplusSession.h"
#include "framework/OleSession.h"
#include "framework/WinApp.h"

namespace zavo {

PlatformSessions::PlatformSessions() = default;

PlatformSessions::~PlatformSessions() { End(); }

bool PlatformSessions::NeedOle() {
    if (!m_Ole) m_Ole = std::make_unique<OleSession>();
    return m_Ole->Ok();
}

bool PlatformSessions::NeedGdiplus() {
    if (!m_Gdiplus) m_Gdiplus = std::make_unique<GdiplusSession>();
    return m_Gdiplus->Ok();
}

void PlatformSessions::End() {
    m_Gdiplus.reset();
    m_Ole.reset();
}

PlatformSessions& Sessions() {
    if (CWinApp* app = AfxGetApp()) return app->m_Sessions;
    static PlatformSessions withoutApp;
    return withoutApp;
}

}  // namespace zavo
