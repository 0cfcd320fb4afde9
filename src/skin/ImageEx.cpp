#include "skin/ImageEx.h"

#include <process.h>

#include <cstring>
#include <utility>

#include "framework/Gdi.h"
#include "skin/SkinWindows.h"

namespace zavo {
namespace {

// FrameDimensionTime: frames that follow one another in time (animation).
const GUID kFrameDimensionTime = {0x6aedbd6d, 0x3fb5, 0x418a, {0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72}};
constexpr PROPID kPropertyTagFrameDelay = 0x5100;
// A frame without a delay of its own stays this long (hundredths of a second), so
// a picture without delays animates at a sane pace instead of spinning the
// processor; a delay written as 0 is kept and means "next frame at once".
constexpr UINT kMissingDelay = 10;

}  // namespace

// The resource bytes as a memory stream that owns its block, or none.
struct ImageEx::Source {
    ComPtr<IStream> stream;
};

namespace {

ComPtr<IStream> StreamFromResource(HMODULE module, const wchar_t* name, const wchar_t* type) {
    HRSRC info = FindResourceW(module, name, type);
    if (!info) return {};
    DWORD size = SizeofResource(module, info);
    HGLOBAL loaded = LoadResource(module, info);  // a resource is never freed
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return {};
    ScopedGlobal block(GlobalAlloc(GMEM_MOVEABLE, size));
    void* target = block ? GlobalLock(block.Get()) : nullptr;
    if (!target) return {};
    std::memcpy(target, bytes, size);
    GlobalUnlock(block.Get());
    ComPtr<IStream> stream;
    // The stream frees the block when it is released.
    if (FAILED(CreateStreamOnHGlobal(block.Get(), TRUE, stream.Put()))) return {};
    block.Release();
    return stream;
}

ComPtr<IStream> ScaledAnimation(HMODULE module, int percent) {
    ComPtr<IStream> scaled = StreamFromResource(module, ScaledPictureName(L"LOAD", percent).c_str(), L"GIF");
    return scaled ? std::move(scaled) : StreamFromResource(module, L"LOAD", L"GIF");
}

}  // namespace

ImageEx::ImageEx(int percent)
    : ImageEx(GetModuleHandleW(nullptr), nullptr, nullptr,
              Source{ScaledAnimation(GetModuleHandleW(nullptr), percent)}) {}

ImageEx::ImageEx(HMODULE module, const wchar_t* name, const wchar_t* type)
    : ImageEx(module, name, type, Source{StreamFromResource(module, name, type)}) {}

// The base loads the native image from the stream with embedded colour
// management; without a stream it stays without an image (status
// InvalidParameter, width and height 0).
ImageEx::ImageEx(HMODULE module, const wchar_t*, const wchar_t*, Source&& source)
    : Gdiplus::Image(source.stream.Get(), TRUE), m_Stream(std::move(source.stream)), m_hModule(module) {
    m_hExit.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_hPause.Reset(CreateEventW(nullptr, TRUE, TRUE, nullptr));
    m_Initialised = static_cast<bool>(m_Stream);
    if (m_Initialised) ReadFrameData();
}

void ImageEx::ReadFrameData() {
    UINT dimensions = GetFrameDimensionsCount();
    if (dimensions > 0) {
        std::vector<GUID> ids(dimensions);
        if (GetFrameDimensionsList(ids.data(), dimensions) == Gdiplus::Ok) m_FrameCount = GetFrameCount(&ids[0]);
    }
    UINT size = GetPropertyItemSize(kPropertyTagFrameDelay);
    if (size >= sizeof(Gdiplus::PropertyItem)) {
        m_FrameDelays.resize(size);
        auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(m_FrameDelays.data());
        if (GetPropertyItem(kPropertyTagFrameDelay, size, item) != Gdiplus::Ok) m_FrameDelays.clear();
    }
}

UINT ImageEx::FrameDelay(UINT index) const {
    if (m_FrameDelays.empty()) return kMissingDelay;
    const auto* item = reinterpret_cast<const Gdiplus::PropertyItem*>(m_FrameDelays.data());
    if (!item->value || index >= item->length / sizeof(UINT)) return kMissingDelay;
    UINT delay = 0;
    std::memcpy(&delay, static_cast<const unsigned char*>(item->value) + index * sizeof(UINT), sizeof(UINT));
    return delay;
}

bool ImageEx::StartAnimation() {
    if (!m_Initialised || m_FrameCount <= 1 || m_hThread) return false;
    unsigned id = 0;
    uintptr_t thread = _beginthreadex(nullptr, 0, &ImageEx::ThreadProc, this, CREATE_SUSPENDED, &id);
    if (!thread) return false;
    m_hThread.Reset(reinterpret_cast<HANDLE>(thread));
    ResumeThread(m_hThread.Get());
    return true;
}

unsigned __stdcall ImageEx::ThreadProc(void* param) {
    auto* self = static_cast<ImageEx*>(param);
    self->m_FramePosition = 0;
    while (self->DrawFrame()) {
    }
    return 0;
}

bool ImageEx::DrawFrame() {
    WaitForSingleObject(m_hPause.Get(), INFINITE);
    UINT width = GetWidth();
    UINT height = GetHeight();
    // A window without a drawing context (gone, for example) skips this frame.
    // Without a window nothing is drawn: GetDC(null) would be the whole screen.
    if (m_hWnd) {
        const ClientDC dc(m_hWnd);
        if (dc) {
            Gdiplus::Graphics graphics(dc.Get());
            graphics.DrawImage(this, static_cast<INT>(m_Position.x), static_cast<INT>(m_Position.y),
                               static_cast<INT>(width), static_cast<INT>(height));
            ++m_FramesDrawn;
        }
    }
    SelectActiveFrame(&kFrameDimensionTime, m_FramePosition);
    if (++m_FramePosition >= m_FrameCount) m_FramePosition = 0;
    DWORD wait = FrameDelay(m_FramePosition) * 10;
    return WaitForSingleObject(m_hExit.Get(), wait) != WAIT_OBJECT_0;
}

void ImageEx::StopThread() {
    if (!m_hThread) return;
    if (m_FrameCount > 1 && m_Paused) {
        SetEvent(m_hPause.Get());
        m_Paused = false;
    }
    SetEvent(m_hExit.Get());
    WaitForSingleObject(m_hThread.Get(), INFINITE);
    m_hThread.Reset();
}

ImageEx::~ImageEx() {
    // The thread is stopped and joined before the image it draws goes away; the
    // events and the stream are released by their owners.
    StopThread();
}

}  // namespace zavo
