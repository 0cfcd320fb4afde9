// The simulator's window, titled "VARNOSHid": it receives the tool's commands,
// answers them as the device service does, passes on the requests of
// "devicesim send", and shows what the simulated keyboard holds.
#pragma once
#include <windows.h>

#include <map>
#include <memory>

#include "SimControl.h"
#include "SimLog.h"
#include "SimOptions.h"
#include "SimState.h"

namespace devicesim {

// Window class of the simulator; "devicesim send" finds the running instance by
// it, so a stand-in window with the same title is never mistaken for it.
inline constexpr wchar_t SIM_WINDOW_CLASS[] = L"ZavoDeviceSimulator";

// WM_COPYDATA tag and payload of a request from "devicesim send".
constexpr ULONG_PTR REQUEST_TAG = 0x5A445352;  // "ZDSR"
struct RequestWire {
    std::uint32_t target;
    std::uint32_t message;
    std::int64_t wParam;
    std::int64_t lParam;
    std::uint32_t count;  // 1, or the burst of "flood"
};
// Answers of the running instance to a request.
constexpr LRESULT REQUEST_DELIVERED = 1;
constexpr LRESULT REQUEST_NO_TARGET = 2;

class SimWindow {
public:
    SimWindow(const Options& options, SimLog& log);
    bool Create(HINSTANCE instance);
    HWND Handle() const { return m_hWnd; }
    SimState& State() { return m_state; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void LogReceived(UINT msg, WPARAM wParam, LPARAM lParam, bool sent);
    void OnServiceCommand(unsigned code, LPARAM lParam, bool sent);
    void OnApplyProfile(int profile);
    void OnReplyTimer(UINT_PTR id);
    LRESULT OnRequest(const COPYDATASTRUCT* data);
    // Posts one request to the tool's window (a flood: `count` times in a row);
    // false when that window is missing or took none of them.
    bool Deliver(const Request& request, const wchar_t* via);
    void OnControlTimer();
    void ReloadLighting();
    // Logs the "light" line: style, light profile and lit zones now shown.
    void LogLighting();
    void HangForever();
    void Redraw();

    const Options& m_options;
    SimLog& m_log;
    HWND m_hWnd = nullptr;
    SimState m_state;
    std::map<UINT_PTR, int> m_pendingReplies;  // timer id -> profile
    UINT_PTR m_nNextTimer = 1;                 // reply timers count up from 1
    std::unique_ptr<ControlFile> m_control;    // with --control
};

}  // namespace devicesim
