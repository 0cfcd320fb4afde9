// One whole-window picture of a skinned window's face (its rest, hover,
// pressed or disabled look, or its mask).
//
// A BMP that the direct reader takes (uncompressed, 24 or 32 bits per pixel)
// stays in its file: the file is mapped and every part the window shows is
// drawn straight from the file's pages, which the system's file cache holds
// once for every process, instead of being copied into a surface of the
// window's own (for the main window four surfaces of 2 MB each, which cost
// more to fill than to draw the few parts of them that are ever shown). Any
// other picture (a JPEG, a BMP the direct reader refuses) is decoded into a
// bitmap, as a Picture.
//
// The skin folder lies beside the program on a local disk; a file there that
// vanished while mapped (a removed network drive) would fault at the next
// paint, which is why faces are mapped and other pictures are not.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Gdi.h"
#include "skin/BmpFile.h"
#include "skin/Picture.h"

namespace zavo {

class FacePicture {
public:
    // Replaces what the picture held by the file at `path`. False, leaving the
    // picture empty, when the file is missing or cannot be read or decoded.
    bool Load(const std::wstring& path);
    void Reset();

    bool Empty() const { return m_File.Empty() && m_Decoded.Empty(); }
    explicit operator bool() const { return !Empty(); }
    int Width() const;
    int Height() const;
    // The decoded bitmap; null for a picture drawn from its file.
    HBITMAP Bitmap() const { return m_Decoded.Handle(); }

    // Copies `cx` x `cy` pixels from (`srcX`, `srcY`) of the picture to
    // (`x`, `y`) of `dc`; what lies outside the picture is left alone. False
    // when nothing could be drawn. A decoded picture is selected for each call:
    // one drawn often is better selected once (FaceSet).
    bool Draw(HDC dc, int x, int y, int cx, int cy, int srcX, int srcY) const;
    // The shape of the picture's pixels that are not pure white (RegionFromMask);
    // empty for an empty picture or one that is white everywhere.
    ScopedRgn Shape() const;

private:
    bool DrawFromFile(HDC dc, int x, int y, int cx, int cy, int srcX, int srcY) const;

    MappedFile m_File;
    BmpLayout m_Layout;  // of m_File
    Picture m_Decoded;
};

}  // namespace zavo
