// bench_switcher: ZAVOSwitch.exe beside the floor (switch_floor.exe, a bare
// program with the same event hook that only posts the select message).
// - switch latency: this program raises EVENT_SYSTEM_FOREGROUND for a window,
//   as Windows does when the foreground changes, and times until the stand-in
//   service window here receives the select message; 50 changes, alternating
//   between this program's window (a rule: profile 2) and the desktop's (no
//   rule: the fallback, profile 1), so every change is a switch;
// - idle: CPU time of each over IDLE seconds with no foreground change, and the
//   messages it sent meanwhile (none expected);
// - memory: private bytes of each afterwards.
// Runs under Wine on a display; the programs are taken from this program's folder.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Harness.h"
#include "ToolRun.h"
#include "app/Switcher.h"
#include "config/AppRules.h"
#include "service/ServiceCodes.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

constexpr int CHANGES = 50;

DWORD IdleMs() {
    wchar_t text[16] = {};
    const int asked = GetEnvironmentVariableW(L"ZAVO_SWITCH_IDLE_S", text, 16) ? _wtoi(text) : 0;
    return static_cast<DWORD>(asked > 0 ? asked : 60) * 1000;
}

struct Figures {
    double medianMs = 0, maxMs = 0;
    int missed = 0;
    double idleCpuMs = 0;
    size_t idleMessages = 0;
    double privateMb = 0;
};

double CpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    auto ms = [](FILETIME f) { return ((static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

size_t SelectsReceived(const RecordingWindow& service) {
    return static_cast<size_t>(std::count_if(service.Received().begin(), service.Received().end(), [](const auto& m) {
        return m.msg == svc::WM_SERVICE_COMMAND && m.wParam == svc::SVC_SELECT_PROFILE;
    }));
}

Figures Measure(Process& process, RecordingWindow& service, HWND own) {
    Figures f;
    std::vector<double> latencies;
    for (int i = 0; i < CHANGES; ++i) {
        const size_t before = SelectsReceived(service);
        const double t0 = NowMs();
        NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, i % 2 ? GetDesktopWindow() : own, OBJID_WINDOW, CHILDID_SELF);
        if (!WaitUntil([&] { return SelectsReceived(service) > before; }, Ms(5000), Ms(0))) {
            ++f.missed;
            continue;
        }
        latencies.push_back(NowMs() - t0);
    }
    std::sort(latencies.begin(), latencies.end());
    if (!latencies.empty()) {
        f.medianMs = latencies[latencies.size() / 2];
        f.maxMs = latencies.back();
    }
    const size_t before = SelectsReceived(service);
    const double cpu0 = CpuMs(process.Handle());
    const DWORD idle = IdleMs();
    WaitUntil([] { return false; }, Ms(idle), Ms(100));
    f.idleCpuMs = CpuMs(process.Handle()) - cpu0;
    f.idleMessages = SelectsReceived(service) - before;
    PROCESS_MEMORY_COUNTERS_EX mem{};
    GetProcessMemoryInfo(process.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem), sizeof mem);
    f.privateMb = mem.PrivateUsage / 1048576.0;
    return f;
}

void Print(const char* name, const Figures& f) {
    std::printf("%-10s latency median %.2f ms, max %.2f ms (%d of %d missed); idle %.0f s: CPU %.0f ms (%.3f%%), "
                "%zu messages; private %.1f MB\n",
                name, f.medianMs, f.maxMs, f.missed, CHANGES, IdleMs() / 1000.0, f.idleCpuMs,
                100.0 * f.idleCpuMs / IdleMs(), f.idleMessages, f.privateMb);
}

}  // namespace

int wmain() {
    PrivateAppData appData;
    WriteSettings(appData.DataFolder(), *PresentConfig());
    apps::AppRules rules;
    rules.rules = {{L"bench_switcher.exe", 1}};
    rules.fallback = 0;
    if (!apps::WriteAppRules(apps::RulesFilePath(appData.DataFolder()), rules)) {
        std::printf("cannot write the rules\n");
        return 1;
    }
    RecordingWindow service(svc::SERVICE_WINDOW_TITLE);
    RecordingWindow own(L"bench_switcher");

    Process floor = Process::Start(BinPath(L"switch_floor.exe"), {});
    if (!WaitUntil([] { return FindWindowW(L"SwitchFloor", nullptr) != nullptr; }, Ms(20000))) return 1;
    const Figures floorFigures = Measure(floor, service, own.Handle());
    floor.Kill();

    Process switcher = Process::Start(BinPath(switcher::kExeName), {}, appData.Env());
    if (!WaitUntil([] { return switcher::RunningWindow() != nullptr; }, Ms(20000))) return 1;
    const Figures switcherFigures = Measure(switcher, service, own.Handle());
    switcher.Kill();

    Print("ZAVOSwitch", switcherFigures);
    Print("floor", floorFigures);
    std::printf("latency: median %.2fx, max %.2fx the floor's (goal <= 2x); private %.2fx (goal <= 2x)\n",
                switcherFigures.medianMs / std::max(floorFigures.medianMs, 0.001),
                switcherFigures.maxMs / std::max(floorFigures.maxMs, 0.001),
                switcherFigures.privateMb / std::max(floorFigures.privateMb, 0.001));
    return 0;
}
