// zavocfg skin-check DIR   checks a skin folder against what the windows read
//
// For every skin description file the windows open: the file is there, its
// "SCREEN" pictures exist and are readable BMP or JPEG pictures, the four faces
// and the mask have one size, the mask shapes a window (not all white), every
// button key the window reads is present, each button lies inside the window
// and no two buttons of a window overlap. In the Windows build each picture
// must also decode with the platform's picture decoder. Every line of a button
// section is a whole entry ("key=name,x,y,width,height,text,flag"): a line
// broken inside an entry loses the entry's last fields and leaves a line that
// is no entry at all. The main window's version keys, fixed places, Enter shape
// pictures, the lighting window's factory zone states and the two pop-up list
// pictures are checked too. Each problem is one line; the exit status is 0 when
// there is none, 1 otherwise, 2 when DIR is not a folder.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwctype>
#include <functional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#endif

#include "Cli.h"
#include "config/Ini.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "skin/MaskScan.h"
#include "skin/ShapeFile.h"
#include "skin/SkinEntry.h"

namespace {

using namespace zavo;

// ------------------------------------------------------------------ pictures

struct Picture {
    std::wstring error;  // empty when the picture is readable
    int width = 0;
    int height = 0;
    bool hasPixels = false;          // uncompressed 24/32-bit BMP: pixels below
    std::vector<std::uint8_t> bgrx;  // top row first, 4 bytes per pixel
};

std::uint32_t Le32(const std::string& b, size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
std::uint16_t Le16(const std::string& b, size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}
std::uint16_t Be16(const std::string& b, size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) << 8 | static_cast<unsigned char>(b[at + 1]));
}

void ReadBmpPixels(const std::string& b, std::uint32_t offset, int bpp, bool bottomUp, Picture& p) {
    const size_t stride = (static_cast<size_t>(p.width) * static_cast<size_t>(bpp / 8) + 3) & ~size_t(3);
    p.bgrx.assign(static_cast<size_t>(p.width) * static_cast<size_t>(p.height) * 4, 0);
    for (int y = 0; y < p.height; ++y) {
        const size_t row = offset + stride * static_cast<size_t>(bottomUp ? p.height - 1 - y : y);
        for (int x = 0; x < p.width; ++x) {
            for (int c = 0; c < 3; ++c)
                p.bgrx[(static_cast<size_t>(y) * static_cast<size_t>(p.width) + static_cast<size_t>(x)) * 4 + c] =
                    static_cast<std::uint8_t>(b[row + static_cast<size_t>(x) * static_cast<size_t>(bpp / 8) + c]);
        }
    }
    p.hasPixels = true;
}

Picture ReadBmp(const std::string& b) {
    Picture p;
    if (b.size() < 54) return p.error = L"BMP shorter than its headers", p;
    const std::uint32_t offset = Le32(b, 10);
    const std::uint32_t infoSize = Le32(b, 14);
    const auto width = static_cast<std::int32_t>(Le32(b, 18));
    const auto height = static_cast<std::int32_t>(Le32(b, 22));
    const int bpp = Le16(b, 28);
    const std::uint32_t compression = Le32(b, 30);
    if (infoSize < 40) return p.error = L"BMP information header too short", p;
    if (width <= 0 || height == 0 || height == INT32_MIN) return p.error = L"BMP has no size", p;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return p.error = L"BMP bit count " + std::to_wstring(bpp) + L" is not a picture format", p;
    if (compression != 0 && compression != 3) return p.error = L"BMP is compressed", p;
    p.width = width;
    p.height = height < 0 ? -height : height;
    const std::uint64_t stride = (static_cast<std::uint64_t>(p.width) * static_cast<std::uint64_t>(bpp) + 31) / 32 * 4;
    if (offset < 14 + infoSize || offset + stride * static_cast<std::uint64_t>(p.height) > b.size())
        return p.error = L"BMP pixel data runs past the end of the file", p;
    if (compression == 0 && (bpp == 24 || bpp == 32)) ReadBmpPixels(b, offset, bpp, height > 0, p);
    return p;
}

bool IsStartOfFrame(unsigned char marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

Picture ReadJpeg(const std::string& b) {
    Picture p;
    size_t at = 2;
    while (at + 4 <= b.size()) {
        if (static_cast<unsigned char>(b[at]) != 0xFF) return p.error = L"JPEG segment marker missing", p;
        const auto marker = static_cast<unsigned char>(b[at + 1]);
        const size_t length = Be16(b, at + 2);
        if (length < 2 || at + 2 + length > b.size()) return p.error = L"JPEG segment runs past the end", p;
        if (IsStartOfFrame(marker) && length >= 7) {
            p.height = Be16(b, at + 5);
            p.width = Be16(b, at + 7);
        }
        if (marker == 0xDA) break;  // start of scan: the picture data follows
        at += 2 + length;
    }
    if (p.width <= 0 || p.height <= 0) return p.error = L"JPEG has no frame size", p;
    size_t end = b.size();
    while (end > 0 && b[end - 1] == '\0') --end;  // some writers pad the file
    if (end < 2 || static_cast<unsigned char>(b[end - 2]) != 0xFF || static_cast<unsigned char>(b[end - 1]) != 0xD9)
        return p.error = L"JPEG is cut short (no end marker)", p;
    return p;
}

#ifdef _WIN32
// The platform's picture decoder, the one the windows use: the picture must
// decode there and give the size the file's headers give. Loaded at run time so
// that the tool needs no import of its own for it.
std::wstring DecodeWithPlatform(const std::string& bytes, int width, int height) {
    using OleLoadPictureFn = HRESULT(WINAPI*)(LPSTREAM, LONG, BOOL, REFIID, LPVOID*);
    static const auto oleLoadPicture = reinterpret_cast<OleLoadPictureFn>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"oleaut32.dll"), "OleLoadPicture")));
    using GetObjectFn = int(WINAPI*)(HANDLE, int, LPVOID);
    static const auto getObject = reinterpret_cast<GetObjectFn>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"gdi32.dll"), "GetObjectW")));
    static const IID iidPicture = {0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};
    if (!oleLoadPicture || !getObject) return L"";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block) return L"";
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
        GlobalFree(block);
        return L"";
    }
    IPicture* picture = nullptr;
    const HRESULT hr =
        oleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, iidPicture, reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(hr) || !picture) return L"the picture decoder refuses it";
    OLE_HANDLE handle = 0;
    BITMAP bm = {};
    picture->get_Handle(&handle);
    const bool sized = getObject(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)), sizeof bm, &bm) != 0;
    picture->Release();
    if (sized && (bm.bmWidth != width || bm.bmHeight != height))
        return L"decodes to " + std::to_wstring(bm.bmWidth) + L"x" + std::to_wstring(bm.bmHeight);
    return L"";
}
#endif

Picture ReadPicture(const std::wstring& path) {
    std::string bytes;
    if (!fs::FileExists(path) || !fs::ReadWholeFile(path, bytes)) {
        Picture p;
        p.error = L"missing";
        return p;
    }
    Picture p;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        p = ReadBmp(bytes);
    else if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
             static_cast<unsigned char>(bytes[1]) == 0xD8)
        p = ReadJpeg(bytes);
    else
        p.error = L"neither a BMP nor a JPEG picture";
#ifdef _WIN32
    if (p.error.empty()) p.error = DecodeWithPlatform(bytes, p.width, p.height);
#endif
    return p;
}

// -------------------------------------------------------------- the windows

struct WindowSkin {
    const wchar_t* file;
    std::vector<std::pair<std::wstring, std::vector<std::wstring>>> buttons;  // section -> keys
};

std::vector<std::wstring> Numbers(int first, int last) {
    std::vector<std::wstring> keys;
    for (int i = first; i <= last; ++i) keys.push_back(std::to_wstring(i));
    return keys;
}

const wchar_t* const kZoneKeys[] = {
    L"m_BTNW",         L"m_BTN1To6",    L"m_BTNAS",      L"m_BTND",      L"m_BTNPINYIN1", L"m_BTNPINYIN2",
    L"m_BTNPINYIN3",   L"m_BTNPINYIN4", L"m_BTNPINYIN5", L"m_BTNQ",      L"m_BTNER",      L"m_BTNF",
    L"m_BTNBackSpace", L"m_BTNOneTo0",  L"m_BTNDirect",  L"m_BTNNumber", L"m_BTNTt1TO5",  L"m_BTNTt6TO10",
};

std::vector<WindowSkin> Windows() {
    const std::vector<std::wstring> okCancel = {L"1", L"2"};
    std::vector<std::wstring> light = {L"1",  L"2",  L"3",  L"4",  L"17", L"37", L"38",
                                       L"32", L"33", L"34", L"35", L"36", L"13", L"19"};
    for (const auto& k : Numbers(20, 31)) light.push_back(k);
    for (const wchar_t* k : {L"15", L"16", L"9", L"10", L"6", L"7", L"8"}) light.push_back(k);
    return {
        {L"main.ini", {{L"BUTTONINFO", Numbers(1, 22)}, {L"T-KEYS", Numbers(1, 10)}}},
        {L"SingleKey.ini", {{L"BUTTONINFO", okCancel}}},
        {L"TKeys.ini", {{L"BUTTONINFO", Numbers(1, 7)}}},
        {L"Commands_menu.ini", {{L"BUTTONINFO", Numbers(1, 22)}}},
        {L"INSTANTSHIFTSYS.ini", {{L"BUTTONINFO", Numbers(1, 6)}}},
        {L"MacroSetting.ini", {{L"BUTTONINFO", Numbers(1, 21)}}},
        {L"LightOption.ini", {{L"BUTTONINFO", light}}},
        {L"Warning1_skin.ini", {{L"BUTTONINFO", okCancel}}},
        {L"Warning2_skin.ini", {{L"BUTTONINFO", {L"1"}}}},
        {L"Warning3_skin.ini", {{L"BUTTONINFO", okCancel}}},
        {L"CreateNewmacro.ini", {{L"BUTTONINFO", okCancel}}},
        {L"RepeatCount.ini", {{L"BUTTONINFO", okCancel}}},
    };
}

// A button (or the Enter key's shape) as placed in its window.
struct Placed {
    std::wstring label;  // "BUTTONINFO/3"
    SkinRect bounds;
    std::vector<SkinRect> parts;  // the shape's rectangles; the bounds alone when empty
};

bool Intersects(const SkinRect& a, const SkinRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Overlap(const Placed& a, const Placed& b) {
    if (!Intersects(a.bounds, b.bounds)) return false;
    const std::vector<SkinRect> pa = a.parts.empty() ? std::vector<SkinRect>{a.bounds} : a.parts;
    const std::vector<SkinRect> pb = b.parts.empty() ? std::vector<SkinRect>{b.bounds} : b.parts;
    for (const auto& ra : pa)
        for (const auto& rb : pb)
            if (Intersects(ra, rb)) return true;
    return false;
}

std::wstring RectText(const SkinRect& r) {
    return L"(" + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L")-(" + std::to_wstring(r.right) + L"," +
           std::to_wstring(r.bottom) + L")";
}

class SkinChecker {
public:
    explicit SkinChecker(std::wstring dir) : dir_(std::move(dir)) {}

    int Run() {
        for (const WindowSkin& w : Windows()) CheckWindow(w);
        CheckLightStates();
        for (const wchar_t* name : {L"Profile_cmd.JPG", L"MacroMenu.jpg"}) CheckPicture(name, name);
        if (problems_ == 0) {
            zavocfg::Out(L"skin ok: " + std::to_wstring(files_) + L" description files, " + std::to_wstring(pictures_) +
                         L" pictures, " + std::to_wstring(buttons_) + L" buttons\n");
            return 0;
        }
        zavocfg::Out(std::to_wstring(problems_) + L" problem(s) found\n");
        return 1;
    }

private:
    void Problem(const std::wstring& where, const std::wstring& what) {
        zavocfg::Out(where + L": " + what + L"\n");
        ++problems_;
    }

    std::wstring Path(const std::wstring& name) const { return dir_ + name; }

    Picture CheckPicture(const std::wstring& where, const std::wstring& name) {
        Picture p = ReadPicture(Path(name));
        if (!p.error.empty())
            Problem(where, L"picture \"" + name + L"\" " + p.error);
        else
            ++pictures_;
        return p;
    }

    void CheckWindow(const WindowSkin& w) {
        const std::wstring ini = Path(w.file);
        if (!fs::FileExists(ini)) return Problem(w.file, L"missing");
        ++files_;
        int width = 0, height = 0;
        if (!CheckFaces(w.file, ini, width, height)) width = height = 0;
        std::vector<Placed> placed;
        std::vector<std::wstring> buttonSections;
        for (const auto& [section, keys] : w.buttons) {
            for (const auto& key : keys) ReadButton(w.file, ini, section, key, true, placed);
            buttonSections.push_back(section);
        }
        if (std::wstring(w.file) == L"main.ini") buttonSections.push_back(L"STANDER-KEYS");
        CheckEntryLines(w.file, ini, buttonSections);
        if (std::wstring(w.file) == L"main.ini") CheckMain(ini, width, height, placed);
        CheckPlacement(w.file, width, height, placed);
    }

    // The four faces and the mask: readable, one size, the mask not all white.
    bool CheckFaces(const std::wstring& where, const std::wstring& ini, int& width, int& height) {
        bool sized = false, ok = true;
        for (const wchar_t* key : {L"Main", L"Down", L"Over", L"Disabled", L"Mask"}) {
            const std::wstring name = Settings().IniReadString(ini, L"SCREEN", key, L"");
            if (name.empty()) {
                Problem(where, std::wstring(L"[SCREEN] ") + key + L" is missing");
                ok = false;
                continue;
            }
            Picture p = CheckPicture(where, name);
            if (!p.error.empty()) {
                ok = false;
                continue;
            }
            if (!sized) {
                width = p.width, height = p.height, sized = true;
            } else if (p.width != width || p.height != height) {
                Problem(where, std::wstring(L"[SCREEN] ") + key + L" is " + std::to_wstring(p.width) + L"x" +
                                   std::to_wstring(p.height) + L", the faces are " + std::to_wstring(width) + L"x" +
                                   std::to_wstring(height));
                ok = false;
            }
            if (std::wstring(key) == L"Mask") CheckMask(where, p);
        }
        return ok && sized;
    }

    void CheckMask(const std::wstring& where, const Picture& mask) {
        if (!mask.hasPixels) return;  // only uncompressed 24/32-bit masks can be looked into here
        size_t rects = 0;
        ScanMask(mask.bgrx.data(), mask.width, mask.height, static_cast<std::ptrdiff_t>(mask.width) * 4,
                 [&rects](const RectBatch& batch) { rects += batch.rects.size(); });
        if (rects == 0) Problem(where, L"the mask is white everywhere: the window would have no shape");
    }

    void ReadButton(const std::wstring& where, const std::wstring& ini, const std::wstring& section,
                    const std::wstring& key, bool required, std::vector<Placed>& placed) {
        std::wstring raw;
        if (!Settings().IniReadRaw(ini, section, key, raw)) {
            if (required) Problem(where, L"[" + section + L"] " + key + L" is missing");
            return;
        }
        const ButtonEntry e = ParseButtonEntry(Settings().IniReadString(ini, section, key, L""));
        ++buttons_;
        placed.push_back({L"[" + section + L"] " + key, e.rect, {}});
    }

    // Every line of the button sections holds a whole entry: "key=" and the
    // seven fields. Blank lines and ";" comments are allowed.
    void CheckEntryLines(const std::wstring& where, const std::wstring& ini,
                         const std::vector<std::wstring>& sections) {
        std::string bytes;
        if (!fs::ReadWholeFile(ini, bytes)) return;
        std::wstring content;
        if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
            static_cast<unsigned char>(bytes[1]) == 0xFE) {
            content = text::FromUtf16LE(std::string_view(bytes).substr(2));
        } else {
            // Byte by byte: the characters that shape a line are ASCII in the
            // 8-bit code pages and in UTF-8 alike.
            content.assign(bytes.begin(), bytes.end());
        }
        auto fold = [](std::wstring s) {
            for (wchar_t& c : s) c = static_cast<wchar_t>(std::towupper(c));
            return s;
        };
        std::vector<std::wstring> wanted;
        for (const auto& s : sections) wanted.push_back(fold(s));
        std::wstring section;
        bool inButtons = false;
        size_t lineNo = 0, at = 0;
        while (at <= content.size()) {
            size_t end = content.find(L'\n', at);
            if (end == std::wstring::npos) end = content.size();
            std::wstring line = content.substr(at, end - at);
            at = end + 1;
            ++lineNo;
            if (!line.empty() && line.back() == L'\r') line.pop_back();
            const size_t first = line.find_first_not_of(L" \t");
            if (first == std::wstring::npos || line[first] == L';') continue;
            if (line[first] == L'[') {
                const size_t close = line.rfind(L']');
                section = line.substr(
                    first + 1, close == std::wstring::npos || close < first ? std::wstring::npos : close - first - 1);
                inButtons = std::find(wanted.begin(), wanted.end(), fold(section)) != wanted.end();
                continue;
            }
            if (!inButtons) continue;
            const std::wstring where2 = L"line " + std::to_wstring(lineNo) + L" in [" + section + L"]";
            const size_t eq = line.find(L'=');
            if (eq == std::wstring::npos) {
                Problem(where, where2 + L" is not an entry: \"" + line + L"\"");
                continue;
            }
            const size_t fields = static_cast<size_t>(std::count(line.begin() + eq, line.end(), L',')) + 1;
            if (fields < 7)
                Problem(where, where2 + L" is not a whole entry (" + std::to_wstring(fields) + L" of 7 fields): \"" +
                                   line + L"\"");
        }
    }

    // Version keys, the standard keys that are present, and the Enter region.
    void CheckMain(const std::wstring& ini, int width, int height, std::vector<Placed>& placed) {
        for (const wchar_t* key : {L"Driver_Version", L"StrFont"}) {
            if (Settings().IniReadString(ini, L"Driver_Version", key, L"").empty())
                Problem(L"main.ini", std::wstring(L"[Driver_Version] ") + key + L" is missing");
        }
        const std::wstring enter = Settings().IniReadString(ini, L"SCREEN", L"EnterRgn", L"");
        for (int k = 0; k <= 158; ++k) {
            if (k == 70 && !enter.empty()) continue;  // the region button stands in for it
            ReadButton(L"main.ini", ini, L"STANDER-KEYS", std::to_wstring(k + 20), false, placed);
        }
        if (!enter.empty()) CheckEnter(ini, enter, placed);
        CheckFixedPoints(placed);
    }

    // The main window draws three things of its own at fixed places: the
    // assignment indicator (a 22 x 22 picture), the status text on the status
    // display (button "11") and the version text. The indicator and the version
    // must not be covered by a button; the status display must hold its text.
    void CheckFixedPoints(const std::vector<Placed>& placed) {
        const Placed indicator{L"the indicator", {221, 362, 243, 384}, {}};
        const Placed version{L"the version text", {733, 433, 783, 445}, {}};
        for (const Placed& p : placed) {
            for (const Placed* fixed : {&indicator, &version}) {
                if (Overlap(p, *fixed)) Problem(L"main.ini", p.label + L" covers " + fixed->label);
            }
            if (p.label == L"[BUTTONINFO] 11") {
                const SkinRect& r = p.bounds;
                if (!(r.left <= 256 && 256 < r.right && r.top <= 369 && 369 + 11 <= r.bottom))
                    Problem(L"main.ini", L"the status display [BUTTONINFO] 11 " + RectText(r) +
                                             L" does not hold the status text at (256, 369)");
            }
        }
    }

    void CheckEnter(const std::wstring& ini, const std::wstring& prefix, std::vector<Placed>& placed) {
        std::wstring raw;
        if (!Settings().IniReadRaw(ini, L"STANDER-KEYS", L"90", raw))
            return Problem(L"main.ini", L"[STANDER-KEYS] 90 (Enter) is missing");
        const ButtonEntry e = ParseButtonEntry(Settings().IniReadString(ini, L"STANDER-KEYS", L"90", L""));
        ShapePicture shapes[2];
        int i = 0;
        for (const wchar_t* suffix : {L"_normal.bmp", L"_over.bmp"}) {
            shapes[i] = ReadShapeFile(Path(prefix + suffix));
            if (!shapes[i].ok())
                Problem(L"main.ini", L"Enter shape \"" + prefix + suffix + L"\": " + ShapeStatusText(shapes[i].status));
            else if (shapes[i].rects.empty())
                Problem(L"main.ini", L"Enter shape \"" + prefix + suffix + L"\" is all key colour");
            else
                ++pictures_;
            ++i;
        }
        if (!shapes[0].ok()) return;
        if (shapes[1].ok() && (shapes[1].width != shapes[0].width || shapes[1].height != shapes[0].height))
            Problem(L"main.ini", L"the two Enter shapes differ in size");
        // The region button sits one pixel right of and below its entry's corner.
        const int dx = e.rect.left + 1, dy = e.rect.top + 1;
        Placed enter{L"Enter shape", {dx, dy, dx + shapes[0].width, dy + shapes[0].height}, {}};
        for (SkinRect r : shapes[0].rects) {
            r.left += dx, r.right += dx, r.top += dy, r.bottom += dy;
            enter.parts.push_back(r);
        }
        ++buttons_;
        placed.push_back(enter);
    }

    void CheckPlacement(const std::wstring& where, int width, int height, const std::vector<Placed>& placed) {
        for (size_t i = 0; i < placed.size(); ++i) {
            const SkinRect& r = placed[i].bounds;
            if (r.right <= r.left || r.bottom <= r.top) {
                Problem(where, placed[i].label + L" covers no pixels " + RectText(r));
                continue;
            }
            if (width > 0 && (r.left < 0 || r.top < 0 || r.right > width || r.bottom > height))
                Problem(where, placed[i].label + L" " + RectText(r) + L" lies outside the window " +
                                   std::to_wstring(width) + L"x" + std::to_wstring(height));
            for (size_t j = i + 1; j < placed.size(); ++j) {
                if (Overlap(placed[i], placed[j])) Problem(where, placed[i].label + L" overlaps " + placed[j].label);
            }
        }
    }

    // The factory zone states that the main window's reset copies.
    void CheckLightStates() {
        const std::wstring ini = Path(L"LightOption.ini");
        if (!fs::FileExists(ini)) return;
        for (int n = 1; n <= 5; ++n) {
            const std::wstring section = L"Profile" + std::to_wstring(n) + L"LightState";
            for (const wchar_t* key : kZoneKeys) {
                std::wstring raw;
                if (!Settings().IniReadRaw(ini, section, key, raw))
                    Problem(L"LightOption.ini", L"[" + section + L"] " + key + L" is missing");
                else if (raw != L"0" && raw != L"1")
                    Problem(L"LightOption.ini", L"[" + section + L"] " + key + L" is \"" + raw + L"\", not 0 or 1");
            }
        }
    }

    std::wstring dir_;
    int problems_ = 0, files_ = 0, pictures_ = 0, buttons_ = 0;
};

int SkinCheck(const zavocfg::Args& args) {
    if (args.size() != 1) return zavocfg::Fail(L"skin-check needs one folder");
    std::wstring dir = args[0];
    if (!fs::DirectoryExists(dir)) return zavocfg::Fail(L"not a folder: " + dir);
    if (dir.back() != L'\\' && dir.back() != L'/') dir += L'\\';
    return SkinChecker(dir).Run();
}

}  // namespace

ZAVOCFG_COMMAND("skin-check", "skin-check DIR        check a skin folder against what the windows read", SkinCheck);
