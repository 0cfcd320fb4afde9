#include "skin/Picture.h"

#include <ocidl.h>
#include <olectl.h>

#include <utility>

namespace zavo {
namespace {

struct FileHandle {
    HANDLE h = INVALID_HANDLE_VALUE;
    ~FileHandle() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

// Reads the whole file into a movable memory block. Null on any failure, and for
// an empty file, which no decoder accepts.
HGLOBAL ReadFileToGlobal(const std::wstring& path, DWORD& size) {
    FileHandle file;
    file.h = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file.h == INVALID_HANDLE_VALUE) return nullptr;
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(file.h, &length) || length.QuadPart <= 0 || length.QuadPart > MAXDWORD) return nullptr;
    size = static_cast<DWORD>(length.QuadPart);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return nullptr;
    void* bytes = GlobalLock(block);
    DWORD read = 0;
    bool ok = bytes && ReadFile(file.h, bytes, size, &read, nullptr) && read == size;
    if (bytes) GlobalUnlock(block);
    if (!ok) {
        GlobalFree(block);
        return nullptr;
    }
    return block;
}

// A copy of `source` that the caller owns. A device bitmap in the screen's
// format is copied by one transfer between two surfaces, several times faster
// than CopyImage, which takes the pixels out into a device-independent form
// and back in (the main window decodes five full-window pictures at start);
// any other bitmap goes through CopyImage, which keeps its format.
HBITMAP CopyBitmap(HBITMAP source) {
    BITMAP info{};
    if (!GetObjectW(source, sizeof(info), &info)) return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP copy = nullptr;
    if (screen && !info.bmBits && info.bmPlanes == 1 && info.bmBitsPixel == GetDeviceCaps(screen, BITSPIXEL)) {
        copy = CreateCompatibleBitmap(screen, info.bmWidth, info.bmHeight);
        HDC from = CreateCompatibleDC(screen);
        HDC to = CreateCompatibleDC(screen);
        HGDIOBJ oldFrom = from ? SelectObject(from, source) : nullptr;
        HGDIOBJ oldTo = to && copy ? SelectObject(to, copy) : nullptr;
        const bool copied = oldFrom && oldTo && BitBlt(to, 0, 0, info.bmWidth, info.bmHeight, from, 0, 0, SRCCOPY);
        if (oldTo) SelectObject(to, oldTo);
        if (oldFrom) SelectObject(from, oldFrom);
        if (to) DeleteDC(to);
        if (from) DeleteDC(from);
        if (!copied && copy) {
            DeleteObject(copy);
            copy = nullptr;
        }
    }
    if (screen) ReleaseDC(nullptr, screen);
    return copy ? copy : static_cast<HBITMAP>(CopyImage(source, IMAGE_BITMAP, 0, 0, 0));
}

// Decodes the block (the stream frees it) and returns a copy of the picture's
// bitmap that outlives the picture object; null when the decoder refuses it.
HBITMAP DecodeBitmap(HGLOBAL block, DWORD size) {
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
        GlobalFree(block);
        return nullptr;
    }
    IPicture* picture = nullptr;
    HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(hr) || !picture) return nullptr;
    HBITMAP copy = nullptr;
    OLE_HANDLE handle = 0;
    SHORT type = PICTYPE_UNINITIALIZED;
    if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP && SUCCEEDED(picture->get_Handle(&handle))) {
        HBITMAP owned = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
        copy = CopyBitmap(owned);
    }
    picture->Release();
    return copy;
}

}  // namespace

Picture& Picture::operator=(Picture&& other) noexcept {
    if (this != &other) {
        Reset();
        m_hBitmap = std::exchange(other.m_hBitmap, nullptr);
        m_Width = std::exchange(other.m_Width, 0);
        m_Height = std::exchange(other.m_Height, 0);
    }
    return *this;
}

void Picture::Attach(HBITMAP bitmap) {
    if (m_hBitmap && m_hBitmap != bitmap) DeleteObject(m_hBitmap);
    m_hBitmap = bitmap;
    m_Width = m_Height = 0;
    BITMAP info{};
    if (bitmap && GetObjectW(bitmap, sizeof(info), &info)) {
        m_Width = info.bmWidth;
        m_Height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    }
}

HBITMAP Picture::Detach() {
    m_Width = m_Height = 0;
    return std::exchange(m_hBitmap, nullptr);
}

HBITMAP LoadPictureHandle(const std::wstring& path) {
    DWORD size = 0;
    HGLOBAL block = ReadFileToGlobal(path, size);
    return block ? DecodeBitmap(block, size) : nullptr;
}

SIZE LoadPictureFile(const std::wstring& path, Picture& picture) {
    picture.Attach(LoadPictureHandle(path));
    return SIZE{picture.Width(), picture.Height()};
}

}  // namespace zavo
