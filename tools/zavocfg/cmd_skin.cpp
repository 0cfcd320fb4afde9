// zavocfg skin-check DIR   checks a skin folder against what the windows read
//
// The 100 % skin in DIR and the skin of each larger display scale in its folder
// (skin/SkinWindows.h) are checked alike, each at its own scale: its faces must
// be the 100 % faces at that scale, and the main window's own places are
// checked where the window draws them at that scale.
//
// For every skin description file the windows open: the file is there, its
// "SCREEN" pictures exist and are readable BMP or JPEG pictures, the four faces
// and the mask have one size, the mask shapes a window (not all white), every
// button key the window reads is present, each button lies inside the window
// and no two buttons of a window overlap. The checker reads what the windows
// read with their own readers: the BMP reader of the faces (skin/BmpFile), the
// settings engine's lines, the button entry parser, the windows' lists of
// button keys and the main window's places (skin/SkinWindows). In the Windows
// build each picture must also load as the windows load it (a BMP the direct
// reader refuses goes to the platform's decoder there; the native build says
// it cannot check such a picture). Every line of a button
// section is a whole entry ("key=name,x,y,width,height,text,flag"): a line
// broken inside an entry loses the entry's last fields and leaves a line that
// is no entry at all. The main window's version keys, fixed places, Enter shape
// pictures, the lighting window's factory zone states and the two pop-up list
// pictures are checked too. Each problem is one line; the exit status is 0 when
// there is none, 1 otherwise, 2 when DIR is not a folder.
#include <algorithm>
#include <map>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "skin/FacePicture.h"
#include "skin/Picture.h"
#endif

#include "Cli.h"
#include "app/AppContext.h"
#include "config/Ini.h"
#include "config/IniFile.h"
#include "config/KeyboardConfig.h"
#include "light/LightZones.h"
#include "mainwnd/KeyboardView.h"
#include "platform/FileSystem.h"
#include "skin/BmpFile.h"
#include "skin/MaskScan.h"
#include "skin/ShapeFile.h"
#include "skin/SkinEntry.h"
#include "skin/SkinWindows.h"

namespace {

using namespace zavo;

// ------------------------------------------------------------------ pictures

struct CheckedPicture {
    std::wstring error;  // empty when the picture is readable
    std::wstring note;   // what could not be checked in this build
    int width = 0;
    int height = 0;
    bool hasPixels = false;          // read by the direct BMP reader: pixels below
    std::vector<std::uint8_t> bgrx;  // top row first, 4 bytes per pixel
};

std::uint16_t Be16(const std::string& b, size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) << 8 | static_cast<unsigned char>(b[at + 1]));
}

bool IsStartOfFrame(unsigned char marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The frame size of a JPEG and whether the file is whole; the pictures
// themselves are decoded by the platform's decoder only.
CheckedPicture ReadJpeg(const std::string& b) {
    CheckedPicture p;
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

// A BMP as the windows' direct reader takes it (skin/BmpFile), pixels and all.
// One it refuses goes to the platform's decoder in the windows; only a file
// that cannot be a picture at all is refused here.
CheckedPicture ReadBmp(const std::string& bytes) {
    CheckedPicture p;
    const BmpLayout layout = ReadBmpLayout(bytes, BmpBits::Bits24Or32);
    if (!layout.ok()) {
        (layout.status == BmpStatus::Unsupported ? p.note : p.error) = BmpStatusText(layout.status);
        return p;
    }
    p.width = layout.width;
    p.height = layout.height;
    p.bgrx.assign(static_cast<size_t>(p.width) * static_cast<size_t>(p.height) * 4, 0);
    CopyBmpPixels(bytes, layout, p.bgrx.data(), static_cast<std::ptrdiff_t>(p.width) * 4);
    p.hasPixels = true;
    return p;
}

#ifdef _WIN32
// The windows' own reading of the picture (a face drawn from its mapped file
// or decoded by the platform's decoder, any other picture decoded): it must
// give a picture, of the size the file's headers give.
void ReadAsTheWindows(const std::wstring& path, bool face, CheckedPicture& p) {
    int width = 0, height = 0;
    if (face) {
        FacePicture picture;
        if (picture.Load(path)) width = picture.Width(), height = picture.Height();
    } else {
        const ScopedBitmap bitmap = LoadPictureBitmap(path);
        BITMAP info{};
        if (bitmap && GetObjectW(bitmap.Get(), sizeof info, &info)) width = info.bmWidth, height = std::abs(info.bmHeight);
    }
    if (width <= 0 || height <= 0) {
        p.error = L"the picture decoder refuses it" + (p.note.empty() ? L"" : L" (" + p.note + L")");
    } else if (p.width == 0) {
        p.width = width, p.height = height;  // known only from the decoder
    } else if (width != p.width || height != p.height) {
        p.error = L"decodes to " + std::to_wstring(width) + L"x" + std::to_wstring(height);
    }
    p.note.clear();
}
#endif

CheckedPicture ReadPicture(const std::wstring& path, bool face) {
    std::string bytes;
    if (!fs::FileExists(path) || !fs::ReadWholeFile(path, bytes)) {
        CheckedPicture p;
        p.error = L"missing";
        return p;
    }
    CheckedPicture p;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        p = ReadBmp(bytes);
    else if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
             static_cast<unsigned char>(bytes[1]) == 0xD8)
        p = ReadJpeg(bytes);
    else
        p.error = L"neither a BMP nor a JPEG picture";
#ifdef _WIN32
    if (p.error.empty()) ReadAsTheWindows(path, face, p);
#else
    (void)face;
    if (!p.note.empty()) p.note += L": only zavocfg.exe can tell whether the platform's decoder reads it";
#endif
    return p;
}

// -------------------------------------------------------------- the windows

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
    explicit SkinChecker(std::wstring dir) : root_(std::move(dir)), dir_(root_) {}

    // The 100 % skin, then each larger scale the skin has a folder for.
    int Run() {
        for (const int percent : SKIN_SCALES) {
            scaleFolder_ = SkinScaleFolder(percent);
            if (percent != 100 && !fs::DirectoryExists(root_ + scaleFolder_)) continue;
            percent_ = percent;
            dir_ = root_ + scaleFolder_;
            CheckScale();
        }
        if (problems_ == 0) {
            zavocfg::Out(L"skin ok: " + std::to_wstring(files_) + L" description files, " + std::to_wstring(pictures_) +
                         L" pictures, " + std::to_wstring(buttons_) + L" buttons\n");
            return 0;
        }
        zavocfg::Out(std::to_wstring(problems_) + L" problem(s) found\n");
        return 1;
    }

private:
    void CheckScale() {
        for (const SkinWindowKeys& w : SkinnedWindowKeys()) CheckWindow(w);
        CheckLightStates();
        for (const wchar_t* name : {L"Profile_cmd.JPG", L"MacroMenu.jpg"}) CheckPicture(name, name, false);
    }

    // A problem of a scale's file is named with the scale's folder.
    void Problem(const std::wstring& where, const std::wstring& what) {
        zavocfg::Out(scaleFolder_ + where + L": " + what + L"\n");
        ++problems_;
    }

    // The windows size themselves from the 100 % face at every scale (the
    // places they draw on and their edit boxes are scaled from it): a scale's
    // face must be the 100 % face at that scale.
    void CheckScaledSize(const std::wstring& where, int width, int height) {
        if (percent_ == 100) {
            faceSizes_[where] = {width, height};
            return;
        }
        const auto base = faceSizes_.find(where);
        if (base == faceSizes_.end()) return;
        const int w = ScalePixel(base->second.first, percent_), h = ScalePixel(base->second.second, percent_);
        if (std::abs(width - w) > 1 || std::abs(height - h) > 1)
            Problem(where, L"the faces are " + std::to_wstring(width) + L"x" + std::to_wstring(height) +
                               L", the 100 % faces at this scale " + std::to_wstring(w) + L"x" + std::to_wstring(h));
    }

    std::wstring Path(const std::wstring& name) const { return dir_ + name; }

    CheckedPicture CheckPicture(const std::wstring& where, const std::wstring& name, bool face) {
        CheckedPicture p = ReadPicture(Path(name), face);
        if (!p.error.empty())
            Problem(where, L"picture \"" + name + L"\" " + p.error);
        else if (!p.note.empty())
            zavocfg::Out(scaleFolder_ + where + L": picture \"" + name + L"\" not checked: " + p.note + L"\n");
        else
            ++pictures_;
        return p;
    }

    void CheckWindow(const SkinWindowKeys& w) {
        const std::wstring ini = Path(w.file);
        if (!fs::FileExists(ini)) return Problem(w.file, L"missing");
        ++files_;
        int width = 0, height = 0;
        if (!CheckFaces(w.file, ini, width, height))
            width = height = 0;
        else
            CheckScaledSize(w.file, width, height);
        std::vector<Placed> placed;
        std::vector<std::wstring> buttonSections;
        for (const auto& [section, keys] : w.buttons) {
            for (const auto& key : keys) ReadButton(w.file, ini, section, key, true, placed);
            buttonSections.push_back(section);
        }
        if (w.file == MAIN_SKIN_FILE) buttonSections.push_back(L"STANDER-KEYS");
        CheckEntryLines(w.file, ini, buttonSections);
        if (w.file == MAIN_SKIN_FILE) CheckMain(ini, width, height, placed);
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
            CheckedPicture p = CheckPicture(where, name, true);
            if (!p.error.empty()) {
                ok = false;
                continue;
            }
            if (p.width == 0) continue;  // a picture this build cannot read, said above
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

    void CheckMask(const std::wstring& where, const CheckedPicture& mask) {
        if (!mask.hasPixels) return;  // only a mask the direct reader takes can be looked into here
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
    // seven fields. The lines are the settings engine's (blank lines left out);
    // ";" comments are allowed.
    void CheckEntryLines(const std::wstring& where, const std::wstring& ini,
                         const std::vector<std::wstring>& sections) {
        std::string bytes;
        if (!fs::ReadWholeFile(ini, bytes)) return;
        const ini::Document document = ini::Document::Parse(std::move(bytes));
        for (const std::wstring& section : sections) {
            for (const ini::Document::Entry& e : document.SectionEntries(section)) {
                if (!e.name.empty() && e.name[0] == L';') continue;
                const std::wstring line = L"a line in [" + section + L"]";
                if (!e.value) {
                    Problem(where, line + L" is not an entry: \"" + e.name + L"\"");
                    continue;
                }
                const size_t fields = static_cast<size_t>(std::count(e.value->begin(), e.value->end(), L',')) + 1;
                if (fields < 7)
                    Problem(where, line + L" is not a whole entry (" + std::to_wstring(fields) + L" of 7 fields): \"" +
                                       e.name + L"=" + *e.value + L"\"");
            }
        }
    }

    // Version keys, the standard keys that are present, and the Enter region.
    void CheckMain(const std::wstring& ini, int width, int height, std::vector<Placed>& placed) {
        for (const wchar_t* key : {L"Driver_Version", L"StrFont"}) {
            if (Settings().IniReadString(ini, L"Driver_Version", key, L"").empty())
                Problem(L"main.ini", std::wstring(L"[Driver_Version] ") + key + L" is missing");
        }
        const std::wstring enter = Settings().IniReadString(ini, L"SCREEN", L"EnterRgn", L"");
        for (int k = 0; k < STANDARD_KEY_COUNT; ++k) {
            if (k == ENTER_KEY_INDEX && !enter.empty()) continue;  // the region button stands in for it
            ReadButton(L"main.ini", ini, L"STANDER-KEYS", std::to_wstring(k + MAIN_FIRST_STANDARD_KEY), false, placed);
        }
        if (!enter.empty()) CheckEnter(ini, enter, placed);
        CheckFixedPoints(placed);
    }

    // The main window draws three things of its own at fixed places: the
    // assignment indicator (a 22 x 22 picture), the status text on the status
    // display (button "11") and the version text. The indicator and the version
    // must not be covered by a button; the status display must hold its text.
    void CheckFixedPoints(const std::vector<Placed>& placed) {
        const Placed indicator{L"the indicator", ScaleRect(MAIN_INDICATOR_PLACE, percent_), {}};
        const Placed version{L"the version text", ScaleRect(MAIN_VERSION_PLACE, percent_), {}};
        const std::wstring statusLabel = L"[BUTTONINFO] " + std::to_wstring(cmd::STATUS);
        for (const Placed& p : placed) {
            for (const Placed* fixed : {&indicator, &version}) {
                if (Overlap(p, *fixed)) Problem(L"main.ini", p.label + L" covers " + fixed->label);
            }
            if (p.label == statusLabel) {
                const SkinRect& r = p.bounds;
                const int x = ScalePixel(MAIN_STATUS_TEXT_X, percent_), y = ScalePixel(MAIN_STATUS_TEXT_Y, percent_);
                const int bottom = ScalePixel(MAIN_STATUS_TEXT_Y + MAIN_STATUS_TEXT_HEIGHT, percent_);
                if (!(r.left <= x && x < r.right && r.top <= y && bottom <= r.bottom))
                    Problem(L"main.ini", L"the status display " + statusLabel + L" " + RectText(r) +
                                             L" does not hold the status text at (" + std::to_wstring(x) + L", " +
                                             std::to_wstring(y) + L")");
            }
        }
    }

    void CheckEnter(const std::wstring& ini, const std::wstring& prefix, std::vector<Placed>& placed) {
        const std::wstring enterKey = std::to_wstring(ENTER_KEY_INDEX + MAIN_FIRST_STANDARD_KEY);
        std::wstring raw;
        if (!Settings().IniReadRaw(ini, L"STANDER-KEYS", enterKey, raw))
            return Problem(L"main.ini", L"[STANDER-KEYS] " + enterKey + L" (Enter) is missing");
        const ButtonEntry e = ParseButtonEntry(Settings().IniReadString(ini, L"STANDER-KEYS", enterKey, L""));
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
            for (const LightZone zone : AllLightZones()) {
                const std::wstring key = LightZoneKey(zone);
                std::wstring raw;
                if (!Settings().IniReadRaw(ini, section, key, raw))
                    Problem(L"LightOption.ini", L"[" + section + L"] " + key + L" is missing");
                else if (raw != L"0" && raw != L"1")
                    Problem(L"LightOption.ini", L"[" + section + L"] " + key + L" is \"" + raw + L"\", not 0 or 1");
            }
        }
    }

    const std::wstring root_;
    std::wstring dir_;          // of the scale being checked
    std::wstring scaleFolder_;  // within root_, with its separator; empty at 100 %
    int percent_ = 100;
    std::map<std::wstring, std::pair<int, int>> faceSizes_;  // description file -> 100 % face size
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
