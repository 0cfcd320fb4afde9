#include "SimWindow.h"

#include <cstring>
#include <string>

#include "SimCheck.h"
#include "SimPaint.h"
#include "config/ConfigStore.h"
#include "light/LightStateFile.h"
#include "service/ServiceCodes.h"

namespace devicesim {

namespace svc = zavo::svc;

namespace {

constexpr int CLIENT_WIDTH = 480;
constexpr int CLIENT_HEIGHT = 350;
// Far above the reply timers, which count up from 1.
constexpr UINT_PTR CONTROL_TIMER = 0x7FFF0000;
constexpr UINT CONTROL_POLL_MS = 100;

std::wstring Num(long long v) { return std::to_wstring(v); }

}  // namespace

SimWindow::SimWindow(const Options& options, SimLog& log) : m_options(options), m_log(log) {
    m_state.hang = options.hang;
    m_state.applyDelayMs = options.applyDelayMs;
    m_state.devicePresent = !options.noDevice;
}

bool SimWindow::Create(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.lpszClassName = SIM_WINDOW_CLASS;
    if (!RegisterClassExW(&wc)) return false;
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
    AdjustWindowRect(&frame, style, FALSE);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    // Top right of the work area, out of the way of the tool, which centres itself.
    RECT work{0, 0, 1280, 1024};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int x = work.right - width - 16, y = work.top + 16;
    m_hWnd = CreateWindowExW(0, SIM_WINDOW_CLASS, svc::SERVICE_WINDOW_TITLE, style, x, y, width, height, nullptr,
                             nullptr, instance, this);
    if (!m_hWnd) return false;
    if (!m_options.controlPath.empty()) {
        m_control = std::make_unique<ControlFile>(m_options.controlPath);
        m_control->TakeNewLines();  // what the file held before the start is not for this run
        SetTimer(m_hWnd, CONTROL_TIMER, CONTROL_POLL_MS, nullptr);
    }
    ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    UpdateWindow(m_hWnd);
    return true;
}

LRESULT CALLBACK SimWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<SimWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hWnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<SimWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->OnMessage(msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT SimWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case svc::WM_SERVICE_COMMAND: {
            // The tool posts most commands and sends SVC_APPLY_LIGHT and
            // SVC_SET_MODE; the log says which, so tests can hold it to that.
            bool sent = InSendMessage() != FALSE;
            LogReceived(msg, wParam, lParam, sent);
            OnServiceCommand(static_cast<unsigned>(wParam), lParam, sent);
            return 1;
        }
        case WM_COPYDATA:
            return OnRequest(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_TIMER:
            if (wParam == CONTROL_TIMER)
                OnControlTimer();
            else
                OnReplyTimer(wParam);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(m_hWnd, &ps);
            RECT client;
            GetClientRect(m_hWnd, &client);
            PaintSimState(dc, client, m_state);
            EndPaint(m_hWnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // the painter fills every pixel
        case WM_DESTROY:
            m_log.Write("stop", {});
            PostQuitMessage(0);
            return 0;
        default:
            // Anything else the tool or a test might send is logged too; the
            // window's own housekeeping messages are not.
            if (msg >= WM_USER && msg < 0xC000) LogReceived(msg, wParam, lParam, InSendMessage() != FALSE);
            return DefWindowProcW(m_hWnd, msg, wParam, lParam);
    }
}

void SimWindow::LogReceived(UINT msg, WPARAM wParam, LPARAM lParam, bool sent) {
    Fields f{{"msg", Num(msg)}};
    if (msg == svc::WM_SERVICE_COMMAND) {
        const wchar_t* name = CommandName(static_cast<unsigned>(wParam));
        f.push_back({"code", Num(static_cast<long long>(wParam))});
        f.push_back({"name", *name ? name : L"unknown"});
    } else {
        f.push_back({"wparam", Num(static_cast<long long>(wParam))});
    }
    f.push_back({"lparam", Num(static_cast<long long>(lParam))});
    f.push_back({"via", sent ? L"send" : L"post"});
    m_log.Write("recv", f);
    const wchar_t* name = msg == svc::WM_SERVICE_COMMAND ? CommandName(static_cast<unsigned>(wParam)) : L"";
    std::wstring what = *name ? name : L"message " + Num(msg) + L" / " + Num(static_cast<long long>(wParam));
    m_state.lastMessage = ClockNow() + L"  " + what + L"  lParam " + Num(static_cast<long long>(lParam)) +
                          (sent ? L", sent" : L", posted");
    Redraw();
}

void SimWindow::OnServiceCommand(unsigned code, LPARAM lParam, bool sent) {
    switch (code) {
        case svc::SVC_FILES_CHANGED:
            ReloadLighting();
            break;
        case svc::SVC_APPLY_LIGHT:
            ReloadLighting();
            LogLighting();
            break;
        case svc::SVC_APPLY_PROFILE:
            OnApplyProfile(static_cast<int>(lParam));
            break;
        case svc::SVC_SELECT_PROFILE:
            m_state.profile = static_cast<int>(lParam);
            break;
        case svc::SVC_SET_MODE:
            m_state.mode = static_cast<int>(lParam);
            break;
        default:  // SVC_LIGHT_WINDOW_OPEN, SVC_TOOL_EXIT and unknown codes: logged only
            break;
    }
    Redraw();
    // A hung service stops in the first command the tool waits for.
    if (sent && m_options.hang) HangForever();
}

void SimWindow::OnApplyProfile(int profile) {
    ApplyReport report = ReadAndCheckSettings(m_options.dataFolder, profile);
    for (const auto& file : report.files) {
        Fields f{{"file", file.name}, {"ok", file.problems.empty() ? L"1" : L"0"}};
        if (!file.problems.empty()) f.push_back({"problem", file.problems.front()});
        if (file.problems.size() > 1) f.push_back({"more", Num(static_cast<long long>(file.problems.size() - 1))});
        m_log.Write("check", f);
    }
    m_log.Write("apply", {{"profile", Num(profile)}, {"ok", report.ok ? L"1" : L"0"}});
    ApplyToState(report, profile, m_state);
    m_state.profileWhen = ClockNow();
    if (m_options.hang) {
        m_log.Write("hang", {{"reason", L"apply never answered"}});
        return;
    }
    if (m_options.dieOnApply) {
        // As a service that crashes: no answer, no clean-up, the window just goes.
        m_log.Write("die", {{"reason", L"ended in the middle of an apply"}});
        ExitProcess(3);
    }
    UINT_PTR id = m_nNextTimer++;
    m_pendingReplies[id] = profile;
    m_state.pendingReplies = static_cast<int>(m_pendingReplies.size());
    SetTimer(m_hWnd, id, m_options.applyDelayMs, nullptr);
}

void SimWindow::OnReplyTimer(UINT_PTR id) {
    KillTimer(m_hWnd, id);
    auto it = m_pendingReplies.find(id);
    if (it == m_pendingReplies.end()) return;
    int profile = it->second;
    m_pendingReplies.erase(it);
    m_state.pendingReplies = static_cast<int>(m_pendingReplies.size());
    // The tool reacts to any WM_SERVICE_COMMAND reaching "DLGLoading"; it must be
    // posted because the dialog handles it while pre-translating its queue.
    HWND loading = FindWindowW(nullptr, svc::LOADING_WINDOW_TITLE);
    bool ok = loading && PostMessageW(loading, svc::WM_SERVICE_COMMAND, svc::SVC_APPLY_PROFILE, profile);
    m_log.Write("reply", {{"target", svc::LOADING_WINDOW_TITLE},
                          {"code", Num(svc::SVC_APPLY_PROFILE)},
                          {"lparam", Num(profile)},
                          {"ok", ok ? L"1" : L"0"}});
    Redraw();
}

LRESULT SimWindow::OnRequest(const COPYDATASTRUCT* data) {
    if (!data || data->dwData != REQUEST_TAG || data->cbData != sizeof(RequestWire)) return 0;
    RequestWire wire;
    memcpy(&wire, data->lpData, sizeof wire);
    if (wire.target > static_cast<std::uint32_t>(Target::LoadingWindow)) return 0;
    if (wire.count < 1 || wire.count > MAX_FLOOD) return 0;
    Request r{static_cast<Target>(wire.target), wire.message, wire.wParam, wire.lParam, wire.count};
    return Deliver(r, L"send") ? REQUEST_DELIVERED : REQUEST_NO_TARGET;
}

bool SimWindow::Deliver(const Request& r, const wchar_t* via) {
    const wchar_t* title = TargetTitle(r.target);
    HWND target = FindWindowW(nullptr, title);
    // Posted from this thread, as a real service does, so that the tool sees it in
    // its queue (WM_SERVICE_COMMAND is handled while pre-translating).
    // A flood posts without pause: a queue that is full (Windows takes 10,000
    // posted messages per queue) refuses the rest, which the log counts.
    std::uint32_t posted = 0;
    if (target) {
        for (std::uint32_t i = 0; i < r.count; ++i) {
            if (PostMessageW(target, r.message, static_cast<WPARAM>(r.wParam), static_cast<LPARAM>(r.lParam)))
                ++posted;
        }
    }
    const bool ok = posted > 0;
    Fields f{{"target", title},
             {"msg", Num(r.message)},
             {"wparam", Num(r.wParam)},
             {"lparam", Num(r.lParam)},
             {"via", via},
             {"ok", ok ? L"1" : L"0"}};
    if (r.count != 1) {
        f.push_back({"count", Num(r.count)});
        f.push_back({"posted", Num(posted)});
    }
    m_log.Write("deliver", f);
    return ok;
}

void SimWindow::OnControlTimer() {
    for (const auto& line : m_control->TakeNewLines()) {
        std::vector<std::wstring> words = ControlWords(line);
        if (words.empty()) continue;
        Request request;
        std::wstring error;
        if (ParseRequest(words, request, error)) {
            Deliver(request, L"control");
        } else {
            // A line that is not a request is reported and skipped; the next lines
            // are still carried out.
            m_log.Write("control", {{"line", line}, {"error", error}});
        }
    }
}

void SimWindow::ReloadLighting() {
    std::wstring path = zavo::ConfigFilePath(m_options.dataFolder);
    if (!zavo::fs::FileExists(path)) return;
    zavo::ReadLightOption(path, m_state.light);
    m_state.lightKnown = true;
    m_state.zones = zavo::ReadLightZones(zavo::LightStateFilePath(m_options.dataFolder),
                                         zavo::LightProfileOfMode(m_state.light.LightMode));
}

void SimWindow::LogLighting() {
    if (!m_state.lightKnown) return;
    // What the keyboard now shows, for the tests: style, light profile and the
    // lit zones by their keys ("m_BTNW+m_BTNAS"), "-" when none is lit.
    std::wstring lit;
    for (zavo::LightZone z : zavo::AllLightZones()) {
        if (m_state.zones[static_cast<size_t>(zavo::ZoneIndex(z))] != 1) continue;
        if (!lit.empty()) lit += L"+";
        lit += zavo::LightZoneKey(z);
    }
    m_log.Write("light", {{"style", Num(m_state.light.LightStyle)},
                          {"profile", Num(zavo::LightProfileOfMode(m_state.light.LightMode))},
                          {"zones", lit.empty() ? L"-" : lit}});
}

void SimWindow::HangForever() {
    m_log.Write("hang", {{"reason", L"blocked in a sent command"}});
    m_state.lastMessage += L"  (hung)";
    UpdateWindow(m_hWnd);
    // Neither this message nor any later one is answered: the thread stays here
    // until the process is ended.
    for (;;) Sleep(60000);
}

void SimWindow::Redraw() {
    if (m_hWnd) InvalidateRect(m_hWnd, nullptr, FALSE);
}

}  // namespace devicesim
