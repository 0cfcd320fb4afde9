// A skin picture: a bitmap decoded from a BMP or JPEG file, with its size.
//
// An uncompressed 24- or 32-bit BMP is read straight into a 32-bit DIB section
// (BmpFile.h); every other file, and any BMP that reader refuses, goes through
// the platform's picture decoder (OleLoadPicture, which starts OLE on first
// use), so every format it knows works. A picture owns its bitmap and releases it when it
// is destroyed or replaced; it can be moved, not copied.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "framework/Gdi.h"
#include "platform/Win32Handle.h"

namespace zavo {

class Picture {
public:
    Picture() = default;
    ~Picture() { Reset(); }
    Picture(Picture&& other) noexcept { *this = std::move(other); }
    Picture& operator=(Picture&& other) noexcept;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    HBITMAP Handle() const { return m_hBitmap; }
    int Width() const { return m_Width; }
    int Height() const { return m_Height; }
    bool Empty() const { return m_hBitmap == nullptr; }
    explicit operator bool() const { return !Empty(); }

    // Takes ownership of `bitmap` (null empties the picture); the size is read
    // from the bitmap itself.
    void Attach(HBITMAP bitmap);
    void Reset() { Attach(nullptr); }

private:
    HBITMAP m_hBitmap = nullptr;
    int m_Width = 0;
    int m_Height = 0;
};

// A whole file mapped read-only for as long as the object lives; the file's
// handles are closed at once (the view keeps the file readable, and Windows
// lets nobody shorten a file while a view of it exists). Empty files, files of
// 4 GB or more and files that cannot be opened are not mapped.
class MappedFile {
public:
    bool Open(const std::wstring& path);
    void Reset();
    bool Empty() const { return !m_View; }
    // Every byte of the file; empty when nothing is mapped.
    std::string_view Bytes() const;

private:
    ScopedView m_View;
    std::size_t m_Size = 0;
};

// Replaces what `picture` held by the picture read from `path` and returns its
// size. A file that is missing, cannot be read or cannot be decoded leaves the
// picture empty (size 0 x 0): the window that wanted it still opens, showing
// nothing where the picture would be.
SIZE LoadPictureFile(const std::wstring& path, Picture& picture);

// Reads `path` as LoadPictureFile does and hands over the decoded bitmap in its
// owner; empty when the file cannot be read or decoded.
ScopedBitmap LoadPictureBitmap(const std::wstring& path);
// Bitmap resource `id` of `module` drawn for display scale `percent`
// (ScaledPictureId of skin/SkinWindows.h), or the 100 % one when the module
// has none for that scale; empty when it has neither.
ScopedBitmap LoadScaledBitmap(HINSTANCE module, int id, int percent);
// The same for a picture's bytes already in memory (a mapped file).
ScopedBitmap DecodePictureBytes(std::string_view bytes);

}  // namespace zavo
