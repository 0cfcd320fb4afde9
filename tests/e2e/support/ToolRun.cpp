#include "ToolRun.h"

#include <commctrl.h>

#include "config/ConfigStore.h"
#include "config/Ini.h"
#include "service/ServiceCodes.h"
#include "skin/SkinWindows.h"

#include <cwchar>

namespace zavo::e2e {

unsigned RunDpi() {
    wchar_t value[16] = {};
    const DWORD n = GetEnvironmentVariableW(L"ZAVO_DPI", value, 16);
    const unsigned long dpi = n > 0 && n < 16 ? std::wcstoul(value, nullptr, 10) : 0;
    return dpi > 0 ? static_cast<unsigned>(dpi) : 96;
}

int RunScale() { return DisplayScale(RunDpi()); }

std::wstring SkinSetPath(const std::wstring& file) {
    return BinPath(L"Skins\\" + SkinScaleFolder(RunScale()) + file);
}

ButtonEntry SkinFileEntry(const std::wstring& file, const std::wstring& section, const std::wstring& key) {
    return ParseButtonEntry(Settings().IniReadString(SkinSetPath(file), section, key, L""));
}

ButtonEntry MainSkinEntry(const std::wstring& section, int key) {
    return SkinFileEntry(L"main.ini", section, std::to_wstring(key));
}

POINT CenterOf(const SkinRect& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

std::unique_ptr<KeyboardConfig> PresentConfig() {
    auto config = std::make_unique<KeyboardConfig>();
    config->DeviceState = 1;
    return config;
}

void WriteSettings(const std::wstring& dataFolder, const KeyboardConfig& config) {
    CreateDirectoryW(dataFolder.substr(0, dataFolder.rfind(L"\\Brimvale\\")).append(L"\\Brimvale").c_str(), nullptr);
    CreateDirectoryW(dataFolder.c_str(), nullptr);
    SaveConfiguration(dataFolder, config);
}

ToolRun::ToolRun(Service service) {
    if (service != Service::None) {
        std::vector<std::wstring> args;
        if (service == Service::HungSim) args.push_back(L"--hang");
        m_sim = std::make_unique<DeviceSim>(appData.DataFolder(), args, appData.Env());
    }
}

ToolRun::~ToolRun() {
    m_tool.Kill();
    m_sim.reset();
}

bool ToolRun::Start(bool expectWarning) {
    // A run that asked for the simulator and has none fails here, not later in
    // a check that waits for the service.
    if (m_sim && !m_sim->Ready()) return false;
    m_tool = Process::Start(BinPath(L"ZAVOConfig.exe"), {}, appData.Env(), BinDir());
    if (!m_tool.Started()) return false;  // Process::Start printed the system's reason
    if (expectWarning) return WaitOtherWindow(Ms(30000)) != nullptr;
    const bool visible = WaitUntil(
        [&] {
            m_main = FindTopWindow(svc::MAIN_WINDOW_TITLE, m_tool.Pid());
            return m_main && IsWindowVisible(m_main);
        },
        Ms(30000));
    if (visible) Sleep(200);  // the first paint
    return visible;
}

namespace {

// The header of a 32-bit top-down DIB of w x h pixels.
BITMAPINFO TopDown32(int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

struct OtherSearch {
    DWORD pid;
    HWND main;
    HWND found;
};

BOOL CALLBACK MatchOther(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<OtherSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != s->pid || w == s->main || !IsWindowVisible(w)) return TRUE;
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    if (wcscmp(cls, TOOLTIPS_CLASSW) == 0) return TRUE;  // a button's tooltip is no dialog
    const std::wstring title = WindowText(w);
    if (title == svc::MAIN_WINDOW_TITLE || title == svc::LOADING_WINDOW_TITLE) return TRUE;
    s->found = w;
    return FALSE;
}
}  // namespace

HWND ToolRun::OtherWindow() const {
    OtherSearch s{m_tool.Pid(), m_main, nullptr};
    EnumWindows(MatchOther, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND ToolRun::WaitOtherWindow(Ms timeout) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = OtherWindow()) != nullptr; }, timeout);
    return found;
}

HWND ToolRun::WaitUntitledDialog(HWND besides, Ms timeout) const {
    struct Search {
        DWORD pid;
        HWND skip1, skip2, found;
    } s{m_tool.Pid(), m_main, besides, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(
                [](HWND w, LPARAM lp) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(lp);
                    DWORD pid = 0;
                    GetWindowThreadProcessId(w, &pid);
                    if (pid != s->pid || w == s->skip1 || w == s->skip2 || !IsWindowVisible(w)) return TRUE;
                    wchar_t cls[64] = {};
                    GetClassNameW(w, cls, 64);
                    // Menus are untitled dialogs (tooltips are windows of their own class).
                    if (GetWindowTextLengthW(w) > 0 || wcscmp(cls, L"#32770") != 0) return TRUE;
                    s->found = w;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&s));
            return s.found != nullptr;
        },
        timeout);
    return s.found;
}

bool ToolRun::Answer(HWND dialog, bool ok) const {
    // The template's OK and Cancel are what Enter and Esc press.
    if (!dialog || !PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(ok ? IDOK : IDCANCEL, BN_CLICKED), 0)) return false;
    return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, Ms(5000));
}

HWND ToolRun::ChildAt(POINT pt) const {
    return ChildWindowFromPointEx(m_main, pt, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}

std::wstring ToolRun::StatusText() const { return WindowText(ChildAt(CommandPoint(cmd::STATUS))); }

bool ToolRun::Responsive() const { return SendTo(m_main, WM_NULL, 0, 0, Ms(1000)).has_value(); }

bool ToolRun::RequestSave() {
    const std::wstring path = Data() + L"Profile4.prof";
    DeleteFileW(path.c_str());
    if (!PostMessageW(m_main, svc::WM_SERVICE_COMMAND, svc::SVC_REQUEST_SAVE, 0)) return false;
    return WaitUntil([&] { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, Ms(10000));
}

void Shot(const std::wstring& name, HWND window) {
    Sleep(700);
    Screenshot(name, window);
}

std::vector<DWORD> CapturePixels(HWND window, const RECT& client) {
    const int w = client.right - client.left, h = client.bottom - client.top;
    POINT origin{client.left, client.top};
    ClientToScreen(window, &origin);
    const BITMAPINFO bi = TopDown32(w, h);
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + w * h);
    for (DWORD& p : pixels) p &= 0xFFFFFF;
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<DWORD> BitmapPixels(HBITMAP bmp, int x, int y, int w, int h) {
    if (!bmp || w <= 0 || h <= 0) return {};
    const BITMAPINFO bi = TopDown32(w, h);
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC src = CreateCompatibleDC(screen), dst = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ o1 = SelectObject(src, bmp), o2 = SelectObject(dst, dib);
    BitBlt(dst, 0, 0, w, h, src, x, y, SRCCOPY);
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + w * h);
    for (DWORD& p : pixels) p &= 0xFFFFFF;
    SelectObject(src, o1);
    SelectObject(dst, o2);
    DeleteObject(dib);
    DeleteDC(src);
    DeleteDC(dst);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<DWORD> ResourceBitmapPixels(HMODULE module, UINT id, int w, int h) {
    HBITMAP bmp = LoadBitmapW(module, MAKEINTRESOURCEW(id));
    std::vector<DWORD> pixels = BitmapPixels(bmp, 0, 0, w, h);
    if (bmp) DeleteObject(bmp);
    return pixels;
}

std::vector<DWORD> ResourceBitmapPixels(HMODULE module, UINT id) { return ResourceBitmapPixels(module, id, 22, 22); }

std::optional<KeyLook> FaceShownAt(HWND main, const SkinRect& r) {
    const RECT place{r.left, r.top, r.right, r.bottom};
    const std::vector<DWORD> shown = CapturePixels(main, place);
    // The first look whose face has these pixels there: the rarer looks first,
    // so a look two faces share there counts as the rarer one.
    const std::pair<KeyLook, const wchar_t*> faces[] = {
        {KeyLook::Disabled, L"Disabled"}, {KeyLook::Down, L"Down"}, {KeyLook::Over, L"Over"}, {KeyLook::Rest, L"Main"}};
    for (const auto& [look, key] : faces) {
        const std::wstring name = Settings().IniReadString(SkinSetPath(L"main.ini"), L"SCREEN", key, L"");
        const std::wstring path = SkinSetPath(name);
        HBITMAP face = static_cast<HBITMAP>(
            LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        const std::vector<DWORD> pixels = BitmapPixels(face, r.left, r.top, r.right - r.left, r.bottom - r.top);
        if (face) DeleteObject(face);
        if (!pixels.empty() && pixels == shown) return look;
    }
    return std::nullopt;
}

bool IndicatorShows(HWND main, HMODULE exe, UINT id) {
    const SkinRect r = ScaleRect(MAIN_INDICATOR_PLACE, RunScale());
    const RECT place{r.left, r.top, r.right, r.bottom};
    return CapturePixels(main, place) ==
           ResourceBitmapPixels(exe, static_cast<UINT>(ScaledPictureId(static_cast<int>(id), RunScale())),
                                r.right - r.left, r.bottom - r.top);
}

}  // namespace zavo::e2e
