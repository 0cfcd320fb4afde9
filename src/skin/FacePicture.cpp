#include "skin/FacePicture.h"

#include <algorithm>
#include <cstdint>

#include "skin/Region.h"

namespace zavo {

bool FacePicture::Load(const std::wstring& path) {
    Reset();
    if (!m_File.Open(path)) return false;
    m_Layout = ReadBmpLayout(m_File.Bytes(), BmpBits::Bits24Or32);
    // Drawn from the file only where its rows lie where its header says;
    // anything else is decoded from the bytes already mapped.
    if (m_Layout.ok() && m_Layout.offsetAsWritten) return true;
    m_Decoded.Attach(DecodePictureBytes(m_File.Bytes()).Release());
    m_File.Reset();
    m_Layout = {};
    return !m_Decoded.Empty();
}

void FacePicture::Reset() {
    m_File.Reset();
    m_Layout = {};
    m_Decoded.Reset();
}

int FacePicture::Width() const { return m_File.Empty() ? m_Decoded.Width() : m_Layout.width; }

int FacePicture::Height() const { return m_File.Empty() ? m_Decoded.Height() : m_Layout.height; }

bool FacePicture::Draw(HDC dc, int x, int y, int cx, int cy, int srcX, int srcY) const {
    if (!m_File.Empty()) return DrawFromFile(dc, x, y, cx, cy, srcX, srcY);
    if (m_Decoded.Empty()) return false;
    MemoryDC source(dc);
    ScopedSelect select(source, m_Decoded.Handle());
    return source && BitBlt(dc, x, y, cx, cy, source, srcX, srcY, SRCCOPY);
}

bool FacePicture::DrawFromFile(HDC dc, int x, int y, int cx, int cy, int srcX, int srcY) const {
    // Only the part that lies on the picture (counted wide: a damaged skin
    // entry can ask for any rectangle).
    const auto clamp = [](std::int64_t v, std::int64_t limit) {
        return static_cast<int>(std::clamp<std::int64_t>(v, 0, limit));
    };
    const int left = clamp(srcX, m_Layout.width), top = clamp(srcY, m_Layout.height);
    const int right = clamp(std::int64_t{srcX} + cx, m_Layout.width);
    const int bottom = clamp(std::int64_t{srcY} + cy, m_Layout.height);
    if (right <= left || bottom <= top) return false;
    x = static_cast<int>(x + (std::int64_t{left} - srcX));
    y = static_cast<int>(y + (std::int64_t{top} - srcY));
    const int rows = bottom - top;
    // The rows drawn, described as a picture of their own: the platform then
    // reads nothing else, and no source origin has to be counted from the
    // bottom as it is for a picture stored bottom row first.
    const int firstStored = m_Layout.bottomUp ? m_Layout.height - bottom : top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = m_Layout.width;
    info.bmiHeader.biHeight = m_Layout.bottomUp ? rows : -rows;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(m_Layout.bitCount);
    info.bmiHeader.biCompression = BI_RGB;
    const char* bits =
        m_File.Bytes().data() + m_Layout.pixelStart + static_cast<std::uint64_t>(firstStored) * m_Layout.rowSize;
    return SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(right - left), static_cast<DWORD>(rows), left, 0, 0,
                             static_cast<UINT>(rows), bits, &info, DIB_RGB_COLORS) != 0;
}

ScopedRgn FacePicture::Shape() const {
    if (m_File.Empty()) return RegionFromMask(m_Decoded.Handle());
    const auto* top = reinterpret_cast<const std::uint8_t*>(m_Layout.Row(m_File.Bytes(), 0));
    const auto stride = static_cast<std::ptrdiff_t>(m_Layout.rowSize);
    return RegionFromPixels(top, m_Layout.width, m_Layout.height, m_Layout.bottomUp ? -stride : stride,
                            m_Layout.bitCount / 8);
}

}  // namespace zavo
