// bench_switcher: ZAVOSwitch.exe beside the floor (switch_floor.exe, a bare
// program with the same event hook that only posts the select message), each
// measured alone in the same run:
// - switch latency: a small program of this benchmark (switch_raiser.exe,
//   started once the measured program set its hook) raises
//   EVENT_SYSTEM_FOREGROUND as Windows does when the foreground changes, and
//   the time runs from asking it to until the stand-in service window here
//   receives SVC_SELECT_PROFILE (the switcher writes Config.config before it
//   posts). The changes alternate between the raiser's window (a rule:
//   profile 2) and the desktop's (no rule: the fallback, profile 1), so every
//   change is a switch. 50 changes after 2 not counted;
// - idle: over IDLE seconds with no foreground change, the CPU time, the
//   messages sent to the service and the wake-ups of the process's threads
//   (voluntary context switches, read from /proc when Wine runs it);
// - holdings when idle: private bytes, kernel handles, GDI and USER objects.
// Runs under Wine on a display; the programs are taken from this program's folder.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "GuiResources.h"
#include "Harness.h"
#include "ToolRun.h"
#include "app/Switcher.h"
#include "config/AppRules.h"
#include "config/ConfigStore.h"
#include "service/ServiceCodes.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

constexpr int WARM_UP = 2;
constexpr int CHANGES = 50;
constexpr int RULE_PROFILE = 1;      // this program's rule: profile 2 as the windows show it
constexpr int FALLBACK_PROFILE = 0;  // no rule: profile 1

// This program's folder, where the programs it measures are built.
std::wstring HereFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

DWORD IdleMs() {
    wchar_t text[16] = {};
    const int asked = GetEnvironmentVariableW(L"ZAVO_SWITCH_IDLE_S", text, 16) ? _wtoi(text) : 0;
    return static_cast<DWORD>(asked > 0 ? asked : 60) * 1000;
}

struct Figures {
    std::vector<double> latencies;
    int missed = 0;
    int wrongProfile = 0;
    double idleCpuMs = -1;
    size_t idleMessages = 0;
    long long idleWakeups = -1;
    double privateMb = -1;
    DWORD handles = 0;
    GuiObjectCounts objects;
};

double CpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    auto ticks = [](FILETIME f) { return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e4;
}

std::vector<RecordingWindow::Message> Selects(const RecordingWindow& service) {
    std::vector<RecordingWindow::Message> out;
    for (const auto& m : service.Received())
        if (m.msg == svc::WM_SERVICE_COMMAND && m.wParam == svc::SVC_SELECT_PROFILE) out.push_back(m);
    return out;
}

std::wstring Lower(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

std::string ReadText(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The voluntary context switches (a thread went to sleep and was woken) of
// every thread of the Unix process whose command line names `exe`, through
// Wine's Z: drive; -1 where there is no /proc (Windows).
long long UnixWakeups(const std::wstring& exe) {
    const std::wstring wanted = Lower(exe.substr(exe.find_last_of(L"\\/") + 1));
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) return -1;
    long long total = -1;
    do {
        const std::wstring pid = entry.cFileName;
        if (pid.empty() || !std::all_of(pid.begin(), pid.end(), iswdigit)) continue;
        const std::string cmdline = ReadText(L"Z:\\proc\\" + pid + L"\\cmdline");
        std::wstring wide(cmdline.begin(), cmdline.end());
        std::replace(wide.begin(), wide.end(), L'\0', L' ');
        wide = Lower(wide);
        // The Windows path of the program, in this build's folder only (other
        // clones on the machine run programs of the same name).
        if (wide.find(Lower(HereFolder())) == std::wstring::npos || wide.find(wanted) == std::wstring::npos) continue;
        WIN32_FIND_DATAW task;
        HANDLE tasks = FindFirstFileW((L"Z:\\proc\\" + pid + L"\\task\\*").c_str(), &task);
        if (tasks == INVALID_HANDLE_VALUE) continue;
        total = 0;
        do {
            if (task.cFileName[0] == L'.') continue;
            std::istringstream status(ReadText(L"Z:\\proc\\" + pid + L"\\task\\" + task.cFileName + L"\\status"));
            std::string line;
            while (std::getline(status, line))
                if (line.rfind("voluntary_ctxt_switches:", 0) == 0) total += std::stoll(line.substr(24));
        } while (FindNextFileW(tasks, &task));
        FindClose(tasks);
        break;
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return total;
}

// Starts the raiser (after the measured program set its hook) and has it raise
// the changes, each once the select of the one before arrived.
void MeasureSwitches(RecordingWindow& service, bool checkProfile, Figures& f) {
    Process raiser = Process::Start(HereFolder() + L"switch_raiser.exe", {});
    HWND window = nullptr;
    if (!WaitUntil([&] { return (window = FindWindowW(L"SwitchRaiser", nullptr)) != nullptr; }, Ms(20000))) {
        f.missed = CHANGES;
        return;
    }
    for (int i = 0; i < WARM_UP + CHANGES; ++i) {
        const bool toOwn = i % 2 == 0;
        const size_t before = Selects(service).size();
        const double t0 = NowMs();
        PostMessageW(window, toOwn ? WM_APP : WM_APP + 1, 0, 0);
        const bool arrived = WaitUntil([&] { return Selects(service).size() > before; }, Ms(5000), Ms(20));
        const double ms = NowMs() - t0;
        if (i < WARM_UP) continue;
        if (!arrived) {
            ++f.missed;
            continue;
        }
        f.latencies.push_back(ms);
        if (checkProfile && Selects(service).back().lParam != (toOwn ? RULE_PROFILE : FALLBACK_PROFILE))
            ++f.wrongProfile;
    }
    raiser.Kill();
}

// The kernel handles `pid` holds, from the system's handle table
// (GetProcessHandleCount of another process reads 0 under Wine); 0 when the
// table cannot be read.
DWORD KernelHandles(DWORD pid) {
    struct Entry {
        ULONG process;
        BYTE type, flags;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    constexpr ULONG kSystemHandleInformation = 16;
    std::vector<BYTE> buffer(1 << 20);
    ULONG needed = 0;
    LONG status;
    while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
               static_cast<LONG>(0xC0000004) &&
           buffer.size() < (64u << 20))
        buffer.resize(buffer.size() * 2);
    if (status != 0) return 0;
    const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(ULONG_PTR));
    DWORD held = 0;
    for (ULONG i = 0; i < count; ++i) held += entries[i].process == pid ? 1 : 0;
    return held;
}

void MeasureIdle(Process& process, RecordingWindow& service, const std::wstring& exe, Figures& f) {
    Sleep(1000);  // settled after the last switch
    const size_t before = Selects(service).size();
    const double cpu0 = CpuMs(process.Handle());
    const long long wake0 = UnixWakeups(exe);
    const DWORD idle = IdleMs();
    WaitUntil([] { return false; }, Ms(idle), Ms(500));
    const long long wake1 = UnixWakeups(exe);
    f.idleCpuMs = CpuMs(process.Handle()) - cpu0;
    f.idleMessages = Selects(service).size() - before;
    if (wake0 >= 0 && wake1 >= 0) f.idleWakeups = wake1 - wake0;

    PROCESS_MEMORY_COUNTERS_EX mem{};
    mem.cb = sizeof mem;
    if (GetProcessMemoryInfo(process.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem), sizeof mem)) {
        // Wine leaves PrivateUsage at 0 for another process and reports the
        // same figure as the page-file usage, as Windows does too.
        const SIZE_T bytes = mem.PrivateUsage ? mem.PrivateUsage : mem.PagefileUsage;
        f.privateMb = static_cast<double>(bytes) / 1048576.0;
    }
    if (!GetProcessHandleCount(process.Handle(), &f.handles) || f.handles == 0) f.handles = KernelHandles(process.Pid());
    f.objects = CountGuiObjects(process.Handle());
}

double Median(const std::vector<double>& sorted) { return sorted.empty() ? -1 : sorted[sorted.size() / 2]; }

void Print(const char* name, Figures& f) {
    std::sort(f.latencies.begin(), f.latencies.end());
    const double share = f.idleCpuMs >= 0 ? 100.0 * f.idleCpuMs / IdleMs() : -1;
    std::printf("%-10s switch: median %.2f ms, max %.2f ms over %d changes (%d missed, %d wrong profile)\n", name,
                Median(f.latencies), f.latencies.empty() ? -1 : f.latencies.back(), CHANGES, f.missed,
                f.wrongProfile);
    std::printf("%-10s idle %.0f s: CPU %.1f ms (%.3f%%), %zu messages, %lld wake-ups; private %.2f MB, %lu handles, "
                "%lu GDI, %lu USER objects\n",
                name, IdleMs() / 1000.0, f.idleCpuMs, share, f.idleMessages, f.idleWakeups, f.privateMb, f.handles,
                f.objects.gdi, f.objects.user);
}

double Ratio(double a, double b) { return b > 0 ? a / b : 0; }

// The part of a switch that is the file: the switcher's write of the active
// profile (the same call), made here CHANGES times, alternating; sorted times.
std::vector<double> ConfigWrites(const std::wstring& dataFolder) {
    std::vector<double> times;
    for (int i = 0; i < CHANGES; ++i) {
        const double t0 = NowMs();
        WriteConfigProfile(ConfigFilePath(dataFolder), i % 2 ? RULE_PROFILE : FALLBACK_PROFILE);
        times.push_back(NowMs() - t0);
    }
    std::sort(times.begin(), times.end());
    return times;
}

}  // namespace

int wmain() {
    PrivateAppData appData;
    WriteSettings(appData.DataFolder(), *PresentConfig());
    apps::AppRules rules;
    rules.rules = {{L"switch_raiser.exe", RULE_PROFILE}};
    rules.fallback = FALLBACK_PROFILE;
    if (!apps::WriteAppRules(apps::RulesFilePath(appData.DataFolder()), rules)) {
        std::printf("cannot write the rules\n");
        return 1;
    }
    RecordingWindow service(svc::SERVICE_WINDOW_TITLE);

    Figures floorFigures, switcherFigures;
    {
        const std::wstring exe = HereFolder() + L"switch_floor.exe";
        Process floor = Process::Start(exe, {});
        if (!WaitUntil([] { return FindWindowW(L"SwitchFloor", nullptr) != nullptr; }, Ms(20000))) {
            std::printf("the floor did not start\n");
            return 1;
        }
        MeasureSwitches(service, false, floorFigures);  // it always posts profile 1
        MeasureIdle(floor, service, exe, floorFigures);
        floor.Kill();
    }
    {
        const std::wstring exe = HereFolder() + switcher::kExeName;
        Process running = Process::Start(exe, {}, appData.Env());
        if (!WaitUntil([] { return switcher::RunningWindow() != nullptr; }, Ms(20000))) {
            std::printf("ZAVOSwitch did not start\n");
            return 1;
        }
        MeasureSwitches(service, true, switcherFigures);
        const int written = Settings().IniReadInt(ConfigFilePath(appData.DataFolder()), L"CONFIG",
                                                  L"CURRENTPROFILE", -1);
        std::printf("Config.config after the last switch: profile %d (expected %d)\n", written + 1,
                    ((WARM_UP + CHANGES) % 2 ? RULE_PROFILE : FALLBACK_PROFILE) + 1);
        MeasureIdle(running, service, exe, switcherFigures);
        running.Kill();
    }

    const std::vector<double> writes = ConfigWrites(appData.DataFolder());
    Print("ZAVOSwitch", switcherFigures);
    Print("floor", floorFigures);
    std::printf("of a switch, the write of CURRENTPROFILE alone (same call, in this program): median %.2f ms, max "
                "%.2f ms\n",
                Median(writes), writes.back());
    std::printf("switch: median %.2fx, max %.2fx the floor's (goal <= 2x); private bytes %.2fx (goal <= 2x)\n",
                Ratio(Median(switcherFigures.latencies), Median(floorFigures.latencies)),
                Ratio(switcherFigures.latencies.empty() ? 0 : switcherFigures.latencies.back(),
                      floorFigures.latencies.empty() ? 0 : floorFigures.latencies.back()),
                Ratio(switcherFigures.privateMb, floorFigures.privateMb));
    return 0;
}
