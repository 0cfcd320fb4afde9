// What a compressed picture format would cost the start of the main window at
// 200 %: its four faces and its mask (Skins\200\ of the build) read and drawn
// once whole, as the first paint does, in the form the skin has them (32-bit
// BMP faces and a 24-bit mask, mapped from their files by FacePicture), as
// 24-bit BMPs (mapped the same way) and as PNGs decoded by GDI+ (the decoder
// the program already carries for the loading animation), beside the files'
// sizes. The 24-bit BMPs and PNGs are written into a temporary folder from the
// skin's files first. Runs under Wine; the skin is found beside this program.
#include <windows.h>
#include <objidl.h>
// gdiplus.h needs min/max, which NOMINMAX takes away.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/Gdi.h"
#include "framework/GdiplusSession.h"
#include "skin/FacePicture.h"

using namespace zavo;

namespace {

const wchar_t* const kFaces[] = {L"main_main", L"main_over", L"main_down", L"main_disabled", L"main_mask"};
constexpr int kRuns = 5;

std::wstring HereFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

double FileMB(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow) / 1e6;
}

bool EncoderOf(const wchar_t* mime, CLSID& clsid) {
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<char> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (size == 0 || Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i)
        if (std::wstring(codecs[i].MimeType) == mime) {
            clsid = codecs[i].Clsid;
            return true;
        }
    return false;
}

// The skin's face `from` written again as a 24-bit BMP and as a PNG.
bool Convert(const std::wstring& from, const std::wstring& bmp24, const std::wstring& png) {
    CLSID bmpCodec{}, pngCodec{};
    if (!EncoderOf(L"image/bmp", bmpCodec) || !EncoderOf(L"image/png", pngCodec)) return false;
    Gdiplus::Bitmap source(from.c_str());
    if (source.GetLastStatus() != Gdiplus::Ok) return false;
    const Gdiplus::Rect all(0, 0, static_cast<INT>(source.GetWidth()), static_cast<INT>(source.GetHeight()));
    std::unique_ptr<Gdiplus::Bitmap> rgb(source.Clone(all, PixelFormat24bppRGB));
    return rgb && rgb->Save(bmp24.c_str(), &bmpCodec, nullptr) == Gdiplus::Ok &&
           rgb->Save(png.c_str(), &pngCodec, nullptr) == Gdiplus::Ok;
}

double NowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Reads the files as FacePicture does and draws each whole into a screen-like
// surface once.
double MappedMs(const std::vector<std::wstring>& files, HDC target) {
    const double start = NowMs();
    for (const std::wstring& f : files) {
        FacePicture face;
        if (!face.Load(f)) return -1;
        face.Draw(target, 0, 0, face.Width(), face.Height(), 0, 0);
    }
    return NowMs() - start;
}

// GDI+ started (as the program would have to at start-up), each PNG decoded
// into a bitmap and drawn whole once.
double PngMs(const std::vector<std::wstring>& files, HDC target) {
    const double start = NowMs();
    GdiplusSession session;
    if (!session.Ok()) return -1;
    for (const std::wstring& f : files) {
        Gdiplus::Bitmap png(f.c_str());
        HBITMAP decoded = nullptr;
        if (png.GetHBITMAP(Gdiplus::Color(0, 0, 0), &decoded) != Gdiplus::Ok) return -1;
        ScopedBitmap owner(decoded);
        MemoryDC source(target);
        ScopedSelect select(source, owner.Get());
        BitBlt(target, 0, 0, static_cast<int>(png.GetWidth()), static_cast<int>(png.GetHeight()), source, 0, 0,
               SRCCOPY);
    }
    return NowMs() - start;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int wmain() {
    const std::wstring skin = HereFolder() + L"Skins\\200\\";
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring out = std::wstring(temp) + L"zavo-face-formats\\";
    CreateDirectoryW(out.c_str(), nullptr);

    std::vector<std::wstring> asIs, bmp24, png;
    double mbAsIs = 0, mb24 = 0, mbPng = 0;
    {
        GdiplusSession converter;
        for (const wchar_t* face : kFaces) {
            asIs.push_back(skin + face + L".bmp");
            bmp24.push_back(out + face + L".bmp");
            png.push_back(out + face + L".png");
            if (!converter.Ok() || !Convert(asIs.back(), bmp24.back(), png.back())) {
                std::printf("face formats: cannot read or convert %ls\n", asIs.back().c_str());
                return 1;
            }
            mbAsIs += FileMB(asIs.back());
            mb24 += FileMB(bmp24.back());
            mbPng += FileMB(png.back());
        }
    }

    // A surface the size of the 200 % main window, as the first paint fills.
    ClientDC screen(nullptr);
    MemoryDC target(screen.Get());
    ScopedBitmap surface(CreateCompatibleBitmap(screen.Get(), 2200, 1000));
    ScopedSelect select(target, surface.Get());
    std::vector<double> tAsIs, t24, tPng;
    for (int i = 0; i < kRuns; ++i) {
        tAsIs.push_back(MappedMs(asIs, target));
        t24.push_back(MappedMs(bmp24, target));
        tPng.push_back(PngMs(png, target));
    }
    std::printf("main window's faces and mask at 200 %% (median of %d), read and drawn once whole:\n", kRuns);
    std::printf("  BMP as the skin has them (mapped): %.1f ms, %.1f MB\n", Median(tAsIs), mbAsIs);
    std::printf("  24-bit BMP (mapped):               %.1f ms, %.1f MB\n", Median(t24), mb24);
    std::printf("  PNG through GDI+ (with its start): %.1f ms, %.1f MB, %.2fx the mapped BMPs' time\n", Median(tPng),
                mbPng, Median(tPng) / std::max(Median(tAsIs), 0.1));
    for (const std::wstring& f : bmp24) DeleteFileW(f.c_str());
    for (const std::wstring& f : png) DeleteFileW(f.c_str());
    RemoveDirectoryW(out.c_str());
    return 0;
}
