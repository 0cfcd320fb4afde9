// devicesim: a stand-in for the keyboard's device service, so the tool can be
// used and tested without the keyboard. See SimOptions.cpp for the command line.
#include <shlobj.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "SimLog.h"
#include "SimOptions.h"
#include "SimSend.h"
#include "SimWindow.h"
#include "config/ConfigStore.h"
#include "light/LightStateFile.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

using namespace devicesim;

namespace {

// The program is a windowed one; when started from a console or with redirected
// output its messages still reach the caller.
void Print(DWORD which, const std::wstring& text) {
    HANDLE out = GetStdHandle(which);
    if (!out || out == INVALID_HANDLE_VALUE) {
        AttachConsole(ATTACH_PARENT_PROCESS);
        out = GetStdHandle(which);
    }
    if (!out || out == INVALID_HANDLE_VALUE) return;
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(out, &mode)) {
        WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    } else {
        std::string bytes = zavo::text::ToUtf8(text);
        WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
}

std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 1; argv && i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

// %APPDATA%\Brimvale\ZAVO\, as the tool finds it.
std::wstring DefaultDataFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return L"";
    return std::wstring(path) + L"\\Brimvale\\ZAVO\\";
}

// Creates every missing level of `folder`. False when the folder is not there
// afterwards.
bool EnsureFolder(const std::wstring& folder) {
    for (size_t pos = folder.find_first_of(L"\\/", 3); pos != std::wstring::npos;
         pos = folder.find_first_of(L"\\/", pos + 1)) {
        zavo::fs::MakeDirectory(folder.substr(0, pos));
    }
    zavo::fs::MakeDirectory(folder);
    return zavo::fs::DirectoryExists(folder);
}

// Marks the keyboard present, as the real service does when it finds the device.
// An existing "Config.config" gets only DEVICEPSTATS; a missing one is written
// whole with the first-start values, so that the tool does not read -1 for the
// mode and the lighting from a file that holds nothing else.
std::wstring MarkDevicePresent(const std::wstring& dataFolder) {
    std::wstring config = zavo::ConfigFilePath(dataFolder);
    if (zavo::fs::FileExists(config)) {
        return zavo::Settings().IniWriteInt(config, L"CONFIG", L"DEVICEPSTATS", 1) ? L"updated" : L"write-failed";
    }
    auto fresh = std::make_unique<zavo::KeyboardConfig>();
    fresh->DeviceState = 1;
    return zavo::WriteConfigFile(config, *fresh) ? L"created" : L"write-failed";
}

void LoadInitialState(const std::wstring& dataFolder, SimState& state) {
    std::wstring config = zavo::ConfigFilePath(dataFolder);
    if (!zavo::fs::FileExists(config)) return;
    state.mode = zavo::Settings().IniReadInt(config, L"CONFIG", L"Mode", -1);
    zavo::ReadLightOption(config, state.light);
    state.lightKnown = true;
    state.zones =
        zavo::ReadLightZones(zavo::LightStateFilePath(dataFolder), zavo::LightProfileOfMode(state.light.LightMode));
}

int RunSimulator(Options& options, HINSTANCE instance) {
    if (FindWindowW(SIM_WINDOW_CLASS, nullptr)) {
        Print(STD_ERROR_HANDLE, L"devicesim: a device simulator is already running\n");
        return SEND_NO_SIMULATOR;
    }
    if (options.dataFolder.empty()) options.dataFolder = DefaultDataFolder();
    // The folder is made only when something goes into it: the device state, or
    // the log by default. A run with --no-device and a log elsewhere leaves it
    // alone, so the tool's own first start can be watched.
    bool logInFolder = options.logPath.empty();
    bool folderOk = !options.noDevice || logInFolder ? EnsureFolder(options.dataFolder) : true;
    if (logInFolder) options.logPath = options.dataFolder + L"devicesim.log";
    SimLog log;
    if (!log.Open(options.logPath)) {
        Print(STD_ERROR_HANDLE, L"devicesim: cannot open the log " + options.logPath + L"; running without it\n");
    }
    std::wstring config = L"untouched";
    if (!folderOk)
        config = L"no-folder";
    else if (!options.noDevice)
        config = MarkDevicePresent(options.dataFolder);

    SimWindow window(options, log);
    window.State().logPath = options.logPath;
    LoadInitialState(options.dataFolder, window.State());
    if (!window.Create(instance)) return 1;
    log.Write("start", {{"pid", std::to_wstring(GetCurrentProcessId())},
                        {"data", options.dataFolder},
                        {"device", options.noDevice ? L"0" : L"1"},
                        {"config", config},
                        {"apply-delay", std::to_wstring(options.applyDelayMs)},
                        {"hang", options.hang ? L"1" : L"0"},
                        {"die-on-apply", options.dieOnApply ? L"1" : L"0"}});
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    Options options;
    std::wstring error;
    if (!ParseOptions(Arguments(), options, error)) {
        Print(STD_ERROR_HANDLE, L"devicesim: " + error + L"\n(devicesim --help shows the command line)\n");
        return SEND_BAD_ARGUMENTS;
    }
    switch (options.mode) {
        case Options::Mode::Help:
            Print(STD_OUTPUT_HANDLE, UsageText());
            return 0;
        case Options::Mode::Send: {
            int rc = DeliverToRunningSimulator(options.request, error);
            if (rc != SEND_DELIVERED) Print(STD_ERROR_HANDLE, L"devicesim: " + error + L"\n");
            return rc;
        }
        case Options::Mode::Run:
            break;
    }
    return RunSimulator(options, instance);
}
