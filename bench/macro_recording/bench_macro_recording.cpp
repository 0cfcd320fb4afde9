// Recording accuracy: key presses and releases are injected through SendInput
// from a second thread with known gaps; the macro editor records them through
// KBHook.dll in its own window, and a bare window with the same hook takes the
// tick count of each report (the floor). A delay is wrong when its 50 ms units
// differ from the injected gap's units; the editor should have no more wrong
// units than the floor.
//
// Name list: the refill of the editor's name list from a folder of 1000 macro
// files, beside listing the folder alone with FindFirstFileW/FindNextFileW.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Harness.h"
#include "app/AppContext.h"
#include "macro/MacroFiles.h"
#include "dialogs/DlgMacroNameMenu.h"
#include "macroeditor/DlgMacroSetting.h"

using namespace zavo;

namespace {

const int kGaps[] = {120, 430, 1000, 5000};
constexpr int kRounds = 2;

void SendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

// Injects A press, A release, A press ... with the gaps in turn; returns the
// gaps as they happened (milliseconds between the injections).
std::vector<double> Inject() {
    std::vector<double> gaps;
    bool up = false;
    double last = e2e::NowMs();
    SendKey('A', up);
    for (int r = 0; r < kRounds; ++r) {
        for (int gap : kGaps) {
            Sleep(static_cast<DWORD>(gap));
            up = !up;
            const double t = e2e::NowMs();
            SendKey('A', up);
            gaps.push_back(t - last);
            last = t;
        }
    }
    if (!up) SendKey('A', true);
    return gaps;
}

int WrongUnits(const std::vector<int>& units, const std::vector<double>& gaps) {
    int wrong = 0;
    for (size_t i = 0; i < gaps.size(); ++i) {
        const int truth = std::min(255, static_cast<int>(gaps[i] / 50.0));
        if (i >= units.size() || std::abs(units[i] - truth) >= 1) ++wrong;
    }
    return wrong;
}

// The floor: a plain window, the same hook, the tick count of every report.
std::vector<int> FloorUnits(HMODULE hook, std::vector<double>& gaps) {
    static std::vector<DWORD> ticks;
    ticks.clear();
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_MACRO_KEY) {
            ticks.push_back(GetTickCount());
            return 1;
        }
        return DefWindowProcW(h, m, w, l);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BenchFloor";
    RegisterClassW(&wc);
    HWND wnd = CreateWindowW(L"BenchFloor", L"floor", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr, wc.hInstance,
                             nullptr);
    auto install = reinterpret_cast<BOOL(__cdecl*)(HWND)>(reinterpret_cast<void*>(GetProcAddress(hook, "installhook")));
    auto remove = reinterpret_cast<BOOL(__cdecl*)()>(reinterpret_cast<void*>(GetProcAddress(hook, "removehook")));
    install(wnd);
    bool done = false;
    std::thread injector([&] {
        Sleep(300);
        gaps = Inject();
        done = true;
        PostMessageW(wnd, WM_NULL, 0, 0);
    });
    MSG msg;
    while (!done && GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
    injector.join();
    remove();
    DestroyWindow(wnd);
    std::vector<int> units;
    for (size_t i = 1; i < ticks.size(); ++i) units.push_back(std::min<DWORD>(255, (ticks[i] - ticks[i - 1]) / 50));
    return units;
}

// The editor: picks the macro "bench", presses Record, and records the injected keys.
std::vector<int> EditorUnits(const AppContext& app, std::vector<double>& gaps) {
    CDlgMacroSetting dlg(app);
    std::thread injector;
    UINT_PTR start = 0, stop = 0;
    static CDlgMacroSetting* current = nullptr;
    current = &dlg;
    start = SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        CDlgMacroSetting& d = *current;
        d.SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(d.Button(16).m_hWnd));
        d.PostMessage(WM_MACRONAME_PICKED, 0, 0);
    });
    stop = SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        CDlgMacroSetting& d = *current;
        d.SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(d.Button(8).m_hWnd));
    });
    injector = std::thread([&] {
        Sleep(900);
        gaps = Inject();
        Sleep(200);
        PostMessageW(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(dlg.Button(9).m_hWnd));
        Sleep(200);
        PostMessageW(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(dlg.Button(1).m_hWnd));
    });
    dlg.DoModal();
    injector.join();
    (void)start;
    (void)stop;
    std::vector<int> units;
    const MacroRecording& m = dlg.Macro();
    for (int i = 1; i + 1 < m.Count; i += 2) units.push_back(m.Events[static_cast<size_t>(i)].Value);
    return units;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void NameListFigures(const std::wstring& data) {
    const std::wstring folder = MacroFolderOf(data);
    CreateDirectoryW(folder.c_str(), nullptr);
    MacroRecording empty;
    for (int i = 0; i < 1000; ++i) SaveMacroFile(MacroFilePathOf(folder, L"macro " + std::to_wstring(i)), empty);
    std::vector<double> refill, listing;
    std::vector<std::wstring> names;
    for (int run = 0; run < 21; ++run) {
        double t = e2e::NowMs();
        RefillMacroNameList(folder, names);
        refill.push_back(e2e::NowMs() - t);
        t = e2e::NowMs();
        size_t count = 0;
        WIN32_FIND_DATAW fd;
        HANDLE find = FindFirstFileW((folder + L"*.ini").c_str(), &fd);
        if (find != INVALID_HANDLE_VALUE) {
            do ++count;
            while (FindNextFileW(find, &fd));
            FindClose(find);
        }
        listing.push_back(e2e::NowMs() - t);
        // 1000 files and the macro "bench"
        if (names.size() != 1001 || count != 1001) std::printf("unexpected count %zu %zu\n", names.size(), count);
    }
    const double r = Median(refill), l = Median(listing);
    std::printf("name list (1001 files): refill %.1f ms, listing alone %.1f ms, %.2fx\n", r, l, r / l);
}

}  // namespace

int wmain() {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const std::wstring data = std::wstring(tmp) + L"zavo-bench-macro-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(data.c_str(), nullptr);
    AppContext app;
    app.programFolder = e2e::BinDir();
    app.dataFolder = data;
    app.langTexts.assign(LANG_TEXT_COUNT, L"");
    CreateDirectoryW(MacroFolderOf(data).c_str(), nullptr);
    SaveMacroFile(MacroFilePathOf(MacroFolderOf(data), L"bench"), MacroRecording{});

    ScopedModule hook(LoadLibraryW((app.programFolder + L"KBHook.dll").c_str()));
    if (!hook) {
        std::printf("KBHook.dll not found in %ls\n", app.programFolder.c_str());
        return 1;
    }
    std::vector<double> floorGaps, editorGaps;
    const std::vector<int> floor = FloorUnits(hook.Get(), floorGaps);
    const std::vector<int> editor = EditorUnits(app, editorGaps);
    const int floorWrong = WrongUnits(floor, floorGaps), editorWrong = WrongUnits(editor, editorGaps);
    std::printf(
        "recording: %zu gaps of 120, 430, 1000, 5000 ms; wrong units: editor %d (%zu delays), floor (bare hook) %d"
        "   (goal: editor <= floor: %s)\n",
        editorGaps.size(), editorWrong, editor.size(), floorWrong, editorWrong <= floorWrong ? "met" : "not met");
    std::printf("  editor units:");
    for (int u : editor) std::printf(" %d", u);
    std::printf("\n  floor units: ");
    for (int u : floor) std::printf(" %d", u);
    std::printf("\n  true gaps ms:");
    for (double g : editorGaps) std::printf(" %.0f", g);
    std::printf("\n");
    NameListFigures(data);
    return 0;
}
