// An image that can animate itself: a GIF picture from the program's resources
// whose frames a worker thread draws one after another straight into a window,
// each for the time the picture prescribes, until the object is destroyed.
//
// The user sets the target window and position and starts the animation once
// (StartAnimation); destruction stops the thread and waits for it, so the image
// is never released while a frame is being drawn. Only the user-interface thread
// calls the members; the thread touches the image and the two events alone.
#pragma once
#include <windows.h>
#include <objidl.h>
// gdiplus.h needs min/max, which NOMINMAX takes away.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <atomic>
#include <vector>

#include "platform/Win32Handle.h"

namespace zavo {

class ImageEx : public Gdiplus::Image {
public:
    // Loads the loading animation drawn for display scale `percent` (resource
    // "LOAD" of type "GIF" at 100 %, ScaledPictureName at the others) from the
    // program's module; the 100 % one when the module has none for that scale.
    explicit ImageEx(int percent = 100);
    // Loads the named resource of the given type from `module`. A missing
    // resource leaves an image without data: width and height 0, no frames, and
    // no animation.
    ImageEx(HMODULE module, const wchar_t* name, const wchar_t* type);
    ~ImageEx() override;
    ImageEx(const ImageEx&) = delete;
    ImageEx& operator=(const ImageEx&) = delete;

    // Where the frames go; set before the animation starts.
    void SetTarget(HWND window, POINT position) {
        m_hWnd = window;
        m_Position = position;
    }
    // Starts the animation thread when the picture was loaded, has more than one
    // frame and no thread runs yet. True when a thread was started.
    bool StartAnimation();

    bool IsInitialised() const { return m_Initialised; }
    bool IsAnimating() const { return static_cast<bool>(m_hThread); }
    UINT FrameCount() const { return m_FrameCount; }
    // Delay of frame `index` in hundredths of a second (0 when the picture gives
    // none).
    UINT FrameDelay(UINT index) const;
    // Frames the thread has drawn so far (for diagnostics and tests).
    unsigned FramesDrawn() const { return m_FramesDrawn.load(); }

private:
    struct Source;
    ImageEx(HMODULE module, const wchar_t* name, const wchar_t* type, Source&& source);
    void ReadFrameData();
    static unsigned __stdcall ThreadProc(void* param);
    // Draws the current frame, selects the next one and waits its delay. False
    // when the exit event was set.
    bool DrawFrame();
    void StopThread();

    ComPtr<IStream> m_Stream;
    ScopedKernelObject m_hThread;
    ScopedKernelObject m_hPause;
    ScopedKernelObject m_hExit;
    HMODULE m_hModule = nullptr;
    HWND m_hWnd = nullptr;
    UINT m_FrameCount = 0;
    UINT m_FramePosition = 0;
    bool m_Initialised = false;
    bool m_Paused = false;
    std::vector<unsigned char> m_FrameDelays;  // the PropertyItem with its value
    POINT m_Position{0, 0};
    std::atomic<unsigned> m_FramesDrawn{0};
};

}  // namespace zavo
