// The packages as a user gets them, under Wine in a prefix of their own
// (run-install-tests.sh makes it): the silent installer and uninstaller, and the
// portable folder started from places with awkward names.
//
// Environment (set by run-install-tests.sh):
//   ZAVO_SETUP         the installer, ZAVOConfig-<version>-setup.exe
//   ZAVO_PORTABLE_DIR  the portable zip unpacked: the folder ZAVOConfig-<version>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Harness.h"
#include "platform/FileSystem.h"
#include "version.h"

namespace zavo::e2e {
namespace {

constexpr Ms kInstallTimeout(120000);
constexpr Ms kStartTimeout(60000);
constexpr int kMainWidth = 1060;  // the main skin's picture
constexpr int kMainHeight = 464;

std::wstring EnvPath(const wchar_t* name) {
    const wchar_t* v = _wgetenv(name);
    return v ? WindowsPath(v) : std::wstring();
}

std::wstring KnownFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return L"";
    return path;
}

bool Exists(const std::wstring& path) { return fs::FileExists(path) || fs::DirectoryExists(path); }

std::wstring InstallDir() { return KnownFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\ZAVOConfig"; }
std::wstring StartMenuLink() { return KnownFolder(CSIDL_PROGRAMS) + L"\\ZAVOConfig.lnk"; }
std::wstring DataFolder() { return KnownFolder(CSIDL_APPDATA) + L"\\Brimvale\\ZAVO"; }
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZAVOConfig";

std::wstring UninstallValue(const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return L"";
    return value;
}

struct ComRelease {
    void operator()(IUnknown* p) const { p->Release(); }
};
template <class T>
using ComPtr = std::unique_ptr<T, ComRelease>;

// The target of a shell link, or "" when it cannot be read.
std::wstring LinkTarget(const std::wstring& link) {
    struct ComApartment {
        HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ~ComApartment() {
            if (SUCCEEDED(hr)) CoUninitialize();
        }
    } apartment;
    IShellLinkW* rawShell = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&rawShell))))
        return L"";
    ComPtr<IShellLinkW> shell(rawShell);
    IPersistFile* rawFile = nullptr;
    if (FAILED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile)))) return L"";
    ComPtr<IPersistFile> file(rawFile);
    wchar_t path[MAX_PATH] = {};
    if (FAILED(file->Load(link.c_str(), STGM_READ)) || FAILED(shell->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)))
        return L"";
    return path;
}

bool FileHolds(const std::wstring& path, const std::string& text) {
    std::string content;
    return fs::ReadWholeFile(path, content) && content.find(text) != std::string::npos;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool MakeFolders(const std::wstring& path) {
    return SHCreateDirectoryExW(nullptr, path.c_str(), nullptr) == ERROR_SUCCESS || Exists(path);
}

// A visible top-level window of `pid` other than `except`.
HWND OtherVisibleWindow(DWORD pid, HWND except) {
    struct Search {
        DWORD pid;
        HWND except;
        HWND found;
    } s{pid, except, nullptr};
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == s->pid && w != s->except && IsWindowVisible(w)) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Starts the tool and answers the start-up notice (there is no keyboard
// service here); returns its main window "VARNOS" once shown, or null.
HWND StartTool(Process& tool, const std::wstring& exe) {
    tool = Process::Start(exe, {});
    if (!tool.Started()) return nullptr;
    HWND main = WaitForWindow(L"VARNOS", kStartTimeout, tool.Pid());
    if (!main) return nullptr;
    HWND notice = nullptr;
    WaitUntil([&] { return IsWindowVisible(main) || (notice = OtherVisibleWindow(tool.Pid(), main)) != nullptr; },
              Ms(20000));
    if (notice) PostMessageW(notice, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, Ms(20000)) ? main : nullptr;
}

// The FileVersion text of a module's version resource ("" without one).
std::wstring FileVersionOf(const std::wstring& module) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(module.c_str(), &ignored);
    if (size == 0) return L"";
    std::vector<char> info(size);
    if (!GetFileVersionInfoW(module.c_str(), 0, size, info.data())) return L"";
    wchar_t* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\FileVersion", reinterpret_cast<void**>(&text),
                        &length) ||
        !text)
        return L"";
    return text;
}

// Starts the tool, waits for its main window "VARNOS", answers the start-up
// notice (there is no keyboard service here) and waits until the main window is
// shown at the skin's size. Keeps a screenshot under `shot`.
void ExpectToolStarts(const std::wstring& exe, const std::wstring& shot) {
    Process tool = Process::Start(exe, {});
    ASSERT_TRUE(tool.Started()) << "could not start the tool";
    HWND main = WaitForWindow(L"VARNOS", kStartTimeout, tool.Pid());
    ASSERT_NE(main, nullptr) << "no window \"VARNOS\"";
    HWND notice = nullptr;
    WaitUntil([&] { return IsWindowVisible(main) || (notice = OtherVisibleWindow(tool.Pid(), main)) != nullptr; },
              Ms(20000));
    if (notice) PostMessageW(notice, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, Ms(20000))) << "main window never shown";
    RECT rc{};
    GetWindowRect(main, &rc);
    // The skin was found beside the executable: the window has the skin's size.
    EXPECT_EQ(rc.right - rc.left, kMainWidth);
    EXPECT_EQ(rc.bottom - rc.top, kMainHeight);
    Screenshot(shot, main);
    tool.Kill();
}

// Installs silently (no elevation) into a prefix without the program.
void InstallSilently() {
    const std::wstring setup = EnvPath(L"ZAVO_SETUP");
    ASSERT_FALSE(setup.empty()) << "ZAVO_SETUP is not set";
    ASSERT_TRUE(Exists(setup)) << "no installer at the given path";
    ASSERT_FALSE(Exists(InstallDir())) << "the program is installed already";
    const auto installed = RunToExit(setup, {L"/S"}, kInstallTimeout);
    ASSERT_TRUE(installed.has_value()) << "installer did not finish";
    ASSERT_EQ(*installed, 0u);
}

// Uninstalls silently. The uninstaller runs from a copy of itself and the first
// process ends at once: waits for its last step, the installed-programs entry
// going away.
void UninstallSilently() {
    ASSERT_TRUE(RunToExit(InstallDir() + L"\\Uninstall.exe", {L"/S"}, kInstallTimeout).has_value());
    EXPECT_TRUE(WaitUntil([] { return UninstallValue(L"DisplayName").empty(); }, kInstallTimeout, Ms(200)))
        << "uninstaller did not finish: the installed-programs entry stays";
}

TEST(Installer, SilentInstallStartAndUninstallKeepsTheSettings) {
    const std::wstring dir = InstallDir();
    ASSERT_NO_FATAL_FAILURE(InstallSilently());

    for (const wchar_t* file : {L"ZAVOConfig.exe", L"ZAVOSwitch.exe", L"KBHook.dll", L"Uninstall.exe", L"lan\\En\\lang.dll",
                                L"lan\\Deutsch\\lang.dll", L"lan\\Japanese\\lang.dll", L"Skins\\main.ini",
                                L"Skins\\LightOption.ini", L"Skins\\125\\main.ini", L"Skins\\200\\main_main.bmp",
                                L"Help\\UserInterfaceSetupGuide_en.html",
                                L"Help\\UserInterfaceSetupGuide_ge.html", L"Help\\UserInterfaceSetupGuide_jp.html"})
        EXPECT_TRUE(Exists(dir + L"\\" + file)) << "missing after install: " << std::string(file, file + wcslen(file));
    // The guide names the version of the program it came with.
    EXPECT_TRUE(FileHolds(dir + L"\\Help\\UserInterfaceSetupGuide_en.html", "version <b>" ZAVO_VERSION_TEXT "</b>"));
    ASSERT_TRUE(Exists(StartMenuLink())) << "no Start-menu shortcut";
    EXPECT_TRUE(SamePath(LinkTarget(StartMenuLink()), dir + L"\\ZAVOConfig.exe"));
    EXPECT_EQ(UninstallValue(L"DisplayName"), L"ZAVOConfig");
    EXPECT_EQ(UninstallValue(L"DisplayVersion"), ZAVO_VERSION_WTEXT);
    EXPECT_FALSE(UninstallValue(L"UninstallString").empty());
    // A silent install too stores its language, so the uninstaller does not ask for one.
    EXPECT_FALSE(UninstallValue(L"InstallerLanguage").empty());
    // Every module says which version it belongs to.
    for (const wchar_t* module : {L"ZAVOConfig.exe", L"ZAVOSwitch.exe", L"KBHook.dll", L"lan\\En\\lang.dll", L"lan\\Deutsch\\lang.dll",
                                  L"lan\\Japanese\\lang.dll"})
        EXPECT_EQ(FileVersionOf(dir + L"\\" + module), ZAVO_VERSION_WTEXT)
            << std::string(module, module + wcslen(module));

    // The installed tool starts; its first start makes the data folder.
    ExpectToolStarts(dir + L"\\ZAVOConfig.exe", L"install-started");
    ASSERT_TRUE(Exists(DataFolder() + L"\\Config.config")) << "the tool wrote no settings";
    // A macro of the user's, which the uninstaller must leave alone.
    const std::wstring macroDir = DataFolder() + L"\\Macro Setting";
    ASSERT_TRUE(MakeFolders(macroDir));
    const std::wstring macro = macroDir + L"\\Mine.ini";
    ASSERT_TRUE(WritePrivateProfileStringW(L"Setting", L"Name", L"Mine", macro.c_str()));

    ASSERT_NO_FATAL_FAILURE(UninstallSilently());
    EXPECT_FALSE(Exists(dir)) << "program folder left behind";
    EXPECT_FALSE(Exists(StartMenuLink()));
    EXPECT_TRUE(Exists(DataFolder() + L"\\Config.config")) << "uninstall removed the settings";
    EXPECT_TRUE(Exists(macro)) << "uninstall removed the user's macro";
}

TEST(Installer, UninstallLeavesWhatTheUserAddedToTheProgramFolder) {
    const std::wstring dir = InstallDir();
    ASSERT_NO_FATAL_FAILURE(InstallSilently());
    const std::wstring ownSkin = dir + L"\\Skins\\MySkin.ini";
    ASSERT_TRUE(WritePrivateProfileStringW(L"SCREEN", L"Main", L"my.bmp", ownSkin.c_str()));

    ASSERT_NO_FATAL_FAILURE(UninstallSilently());
    EXPECT_TRUE(Exists(ownSkin));
    for (const wchar_t* file : {L"ZAVOConfig.exe", L"KBHook.dll", L"Skins\\main.ini", L"lan", L"Help"})
        EXPECT_FALSE(Exists(dir + L"\\" + file)) << "left behind: " << std::string(file, file + wcslen(file));
    EXPECT_FALSE(Exists(StartMenuLink()));
    // The user's own files go with the user: the next test installs into a clean prefix.
    DeleteFileW(ownSkin.c_str());
    RemoveDirectoryW((dir + L"\\Skins").c_str());
    RemoveDirectoryW(dir.c_str());
}

TEST(Installer, UninstallWhileTheToolRunsEndsItAndRemovesEverything) {
    const std::wstring dir = InstallDir();
    ASSERT_NO_FATAL_FAILURE(InstallSilently());
    Process tool;
    ASSERT_TRUE(StartTool(tool, dir + L"\\ZAVOConfig.exe")) << "the installed tool did not start";

    ASSERT_NO_FATAL_FAILURE(UninstallSilently());
    // Asked to end as the device service asks it: an ordinary exit.
    const auto code = tool.WaitExit(Ms(10000));
    ASSERT_TRUE(code) << "the tool still runs";
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(Exists(dir)) << "program folder left behind";
}

// The profile switcher started at login from the installed folder: the
// uninstaller ends it and removes its Run entry with the program.
TEST(Installer, UninstallEndsTheSwitcherAndRemovesItsRunEntry) {
    const std::wstring dir = InstallDir();
    ASSERT_NO_FATAL_FAILURE(InstallSilently());
    const std::wstring runKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::wstring command = L"\"" + dir + L"\\ZAVOSwitch.exe\"";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, runKey.c_str(), L"ZAVOSwitch", REG_SZ, command.c_str(),
                              static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    Process switcher = Process::Start(dir + L"\\ZAVOSwitch.exe", {});
    ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"ZAVOSwitch", nullptr) != nullptr; }, kStartTimeout));

    ASSERT_NO_FATAL_FAILURE(UninstallSilently());
    EXPECT_TRUE(switcher.WaitExit(Ms(10000)).has_value()) << "the switcher still runs";
    EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, runKey.c_str(), L"ZAVOSwitch", RRF_RT_REG_SZ, nullptr, nullptr, nullptr),
              ERROR_SUCCESS)
        << "the Run entry stays";
    EXPECT_FALSE(Exists(dir)) << "program folder left behind";
}

TEST(Installer, FilesThatCannotBeRemovedAreReportedAndTheUninstallerStays) {
    const std::wstring dir = InstallDir();
    ASSERT_NO_FATAL_FAILURE(InstallSilently());
    const std::wstring held = dir + L"\\Skins\\main.ini";
    {
        // Another program holds the file and lets nobody delete it.
        const HANDLE file = CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        // Run in place (_?=) so that its exit code is the uninstall's own.
        const auto code = RunToExit(dir + L"\\Uninstall.exe", {L"/S", L"_?=" + dir}, kInstallTimeout);
        CloseHandle(file);
        ASSERT_TRUE(code.has_value()) << "uninstaller did not finish";
        EXPECT_EQ(*code, 2u) << "files left behind reported as success";
    }
    EXPECT_TRUE(Exists(held));
    EXPECT_FALSE(Exists(dir + L"\\ZAVOConfig.exe"));
    // It can be run again from where it was.
    EXPECT_TRUE(Exists(dir + L"\\Uninstall.exe"));
    EXPECT_EQ(UninstallValue(L"DisplayName"), L"ZAVOConfig");

    ASSERT_NO_FATAL_FAILURE(UninstallSilently());
    EXPECT_FALSE(Exists(dir)) << "program folder left behind after the second run";
}

struct PortableCase {
    const char* name;
    const wchar_t* folder;  // under C:\ of the prefix
};

class Portable : public ::testing::TestWithParam<PortableCase> {};

TEST_P(Portable, StartsFromTheFolderItWasUnpackedTo) {
    const std::wstring unpacked = EnvPath(L"ZAVO_PORTABLE_DIR");
    ASSERT_FALSE(unpacked.empty()) << "ZAVO_PORTABLE_DIR is not set";
    ASSERT_TRUE(Exists(unpacked + L"\\ZAVOConfig.exe"));
    const std::wstring folder = std::wstring(L"C:\\") + GetParam().folder;
    ASSERT_TRUE(MakeFolders(folder));
    ASSERT_TRUE(CopyTree(unpacked, folder));
    ExpectToolStarts(
        folder + L"\\ZAVOConfig.exe",
        std::wstring(L"portable-") + std::wstring(GetParam().name, GetParam().name + strlen(GetParam().name)));
}

INSTANTIATE_TEST_SUITE_P(Folders, Portable,
                         ::testing::Values(PortableCase{"plain", L"ZAVO"},
                                           PortableCase{"spaces_and_japanese",
                                                        L"Users\\Public\\My Tools\\キーボード 設定\\ZAVO Config"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zavo::e2e
