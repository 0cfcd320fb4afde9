#include "skin/Picture.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "framework/Gdi.h"
#include "framework/PlatformSessions.h"
#include "platform/Win32Handle.h"
#include "skin/BmpFile.h"
#include "skin/SkinWindows.h"

namespace zavo {
namespace {

// The bytes in a movable memory block, as the platform decoder reads them.
// Empty on failure and for no bytes, which no decoder accepts.
ScopedGlobal BytesToGlobal(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > MAXDWORD) return {};
    ScopedGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    void* target = block ? GlobalLock(block.Get()) : nullptr;
    if (!target) return {};
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(block.Get());
    return block;
}

// The largest face the direct reader takes (a 32-bit surface of at most
// 256 MB); anything larger is left to the platform decoder.
constexpr std::uint64_t kMaxDirectPixels = std::uint64_t{1} << 26;
constexpr std::int32_t kMaxDirectSide = 32767;

// An uncompressed 24- or 32-bit BMP straight into a 32-bit DIB section, without
// the platform decoder (several times cheaper, and no OLE). Empty when the
// reader refuses the file or no surface can be made: the caller then tries
// the decoder, which knows every other form.
ScopedBitmap DibFromBmp(std::string_view bytes) {
    const BmpLayout layout = ReadBmpLayout(bytes, BmpBits::Bits24Or32);
    if (!layout.ok() || !layout.offsetAsWritten || layout.width > kMaxDirectSide || layout.height > kMaxDirectSide ||
        static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.height) > kMaxDirectPixels)
        return {};
    void* bits = nullptr;
    ScopedBitmap dib = CreateDib32(layout.width, layout.height, &bits);
    if (!dib || !bits) return {};
    CopyBmpPixels(bytes, layout, static_cast<unsigned char*>(bits), static_cast<std::ptrdiff_t>(layout.width) * 4);
    return dib;
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
ScopedBitmap DecodeBitmap(std::string_view bytes) {
    ScopedGlobal block = BytesToGlobal(bytes);
    if (!block) return {};
    // Started here, the first time a picture needs the decoder.
    Sessions().NeedOle();
    ComPtr<IStream> stream;
    // The stream frees the block when it is released.
    if (FAILED(CreateStreamOnHGlobal(block.Get(), TRUE, stream.Put()))) return {};
    block.Release();
    ComPtr<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture, picture.PutVoid())) ||
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

bool MappedFile::Open(const std::wstring& path) {
    Reset();
    const ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > MAXDWORD) return false;
    // The view keeps the file mapped after both handles are closed.
    const ScopedKernelObject mapping(CreateFileMappingW(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    m_View.Reset(mapping ? MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0) : nullptr);
    if (!m_View) return false;
    m_Size = static_cast<std::size_t>(size.QuadPart);
    return true;
}

void MappedFile::Reset() {
    m_View.Reset();
    m_Size = 0;
}

std::string_view MappedFile::Bytes() const {
    return m_View ? std::string_view(static_cast<const char*>(m_View.Get()), m_Size) : std::string_view();
}

ScopedBitmap DecodePictureBytes(std::string_view bytes) {
    if (ScopedBitmap direct = DibFromBmp(bytes)) return direct;
    return DecodeBitmap(bytes);
}

ScopedBitmap LoadPictureBitmap(const std::wstring& path) {
    // The file is mapped, not read: the pixels go from the file's pages
    // straight into the picture, without a copy in between.
    MappedFile file;
    return file.Open(path) ? DecodePictureBytes(file.Bytes()) : ScopedBitmap();
}

ScopedBitmap LoadScaledBitmap(HINSTANCE module, int id, int percent) {
    ScopedBitmap scaled(::LoadBitmapW(module, MAKEINTRESOURCEW(ScaledPictureId(id, percent))));
    return scaled ? std::move(scaled) : ScopedBitmap(::LoadBitmapW(module, MAKEINTRESOURCEW(id)));
}

SIZE LoadPictureFile(const std::wstring& path, Picture& picture) {
    picture.Attach(LoadPictureBitmap(path).Release());
    return SIZE{picture.Width(), picture.Height()};
}

}  // namespace zavo
