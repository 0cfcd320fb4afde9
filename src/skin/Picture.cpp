#include "skin/Picture.h"

#include <ocidl.h>
#include <olectl.h>

#include <utility>

#include "framework/Gdi.h"
#include "platform/Win32Handle.h"

namespace zavo {
namespace {

// Reads the whole file into a movable memory block. Empty on any failure, and
// for an empty file, which no decoder accepts.
ScopedGlobal ReadFileToGlobal(const std::wstring& path, DWORD& size) {
    const ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(file.Get(), &length) || length.QuadPart <= 0 || length.QuadPart > MAXDWORD) return {};
    size = static_cast<DWORD>(length.QuadPart);
    ScopedGlobal block(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block) return {};
    void* bytes = GlobalLock(block.Get());
    DWORD read = 0;
    const bool ok = bytes && ReadFile(file.Get(), bytes, size, &read, nullptr) && read == size;
    if (bytes) GlobalUnlock(block.Get());
    if (!ok) return {};
    return block;
}

// A copy of `source` that the caller owns. A device bitmap in the screen's
// format is copied by one transfer between two surfaces, several times faster
// than CopyImage, which takes the pixels out into a device-independent form
// and back in (the main window decodes five full-window pictures at start);
// any other bitmap goes through CopyImage, which keeps its format.
ScopedBitmap CopyBitmap(HBITMAP source) {
    BITMAP info{};
    if (!GetObjectW(source, sizeof(info), &info)) return {};
    const ClientDC screen(nullptr);
    if (screen && !info.bmBits && info.bmPlanes == 1 && info.bmBitsPixel == GetDeviceCaps(screen, BITSPIXEL)) {
        ScopedBitmap copy(CreateCompatibleBitmap(screen, info.bmWidth, info.bmHeight));
        MemoryDC from(screen);
        MemoryDC to(screen);
        if (copy && from && to) {
            ScopedSelect selectFrom(from, source);
            ScopedSelect selectTo(to, copy);
            if (BitBlt(to, 0, 0, info.bmWidth, info.bmHeight, from, 0, 0, SRCCOPY)) return copy;
        }
    }
    return ScopedBitmap(static_cast<HBITMAP>(CopyImage(source, IMAGE_BITMAP, 0, 0, 0)));
}

// Decodes the block and returns a copy of the picture's bitmap that outlives the
// picture object; empty when the decoder refuses it.
ScopedBitmap DecodeBitmap(ScopedGlobal block, DWORD size) {
    ComPtr<IStream> stream;
    // The stream frees the block when it is released.
    if (FAILED(CreateStreamOnHGlobal(block.Get(), TRUE, stream.Put()))) return {};
    block.Release();
    ComPtr<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture, picture.PutVoid())) ||
        !picture)
        return {};
    OLE_HANDLE handle = 0;
    SHORT type = PICTYPE_UNINITIALIZED;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture->get_Handle(&handle))) return {};
    // The picture object owns its bitmap: keep a copy of it.
    return CopyBitmap(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
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

ScopedBitmap LoadPictureBitmap(const std::wstring& path) {
    DWORD size = 0;
    ScopedGlobal block = ReadFileToGlobal(path, size);
    if (!block) return {};
    return DecodeBitmap(std::move(block), size);
}

SIZE LoadPictureFile(const std::wstring& path, Picture& picture) {
    picture.Attach(LoadPictureBitmap(path).Release());
    return SIZE{picture.Width(), picture.Height()};
}

}  // namespace zavo
