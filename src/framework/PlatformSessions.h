// The OLE and GDI+ sessions of the user-interface thread, each started the first
// time something needs it and not before: most runs never start either (the
// skin faces are read without the picture decoder, and GDI+ draws only the
// loading dialog's animation). Ended when their owner goes, GDI+ first.
#pragma once
#include <memory>

namespace zavo {

class GdiplusSession;
class OleSession;

class PlatformSessions {
public:
    PlatformSessions();
    ~PlatformSessions();
    PlatformSessions(const PlatformSessions&) = delete;
    PlatformSessions& operator=(const PlatformSessions&) = delete;

    // Starts the session on the first call (on the calling thread, which must be
    // the user-interface thread); a start that failed is not tried again. True
    // while the session runs.
    bool NeedOle();
    bool NeedGdiplus();
    bool OleStarted() const { return static_cast<bool>(m_Ole); }
    bool GdiplusStarted() const { return static_cast<bool>(m_Gdiplus); }
    // Ends both sessions (GDI+ first); a later need starts them again.
    void End();

private:
    std::unique_ptr<OleSession> m_Ole;
    std::unique_ptr<GdiplusSession> m_Gdiplus;
};

// The sessions of the process: the application object's, or for a program
// without one (tests, tools), a set kept until the process ends.
PlatformSessions& Sessions();

}  // namespace zavo
