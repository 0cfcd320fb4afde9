// The switcher's one window: hidden, the owner of the notification icon and its
// menu (pause or resume, open ZAVOConfig, quit). Its text is the icon's tooltip,
// which names the active profile.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "app/AppContext.h"
#include "platform/Win32Handle.h"
#include "switcher/ProfileSwitcher.h"
#include "switcher/TrayIcon.h"

namespace zavo::switcher {

class SwitcherWindow {
public:
    // The menu's commands (WM_COMMAND), also posted by tests and by the tool.
    static constexpr UINT ID_PAUSE = 1;  // pause, or resume when paused
    static constexpr UINT ID_OPEN = 2;
    static constexpr UINT ID_QUIT = 3;
    static constexpr UINT WM_TRAY = WM_APP + 1;

    explicit SwitcherWindow(const AppContext& app);
    ~SwitcherWindow();
    SwitcherWindow(const SwitcherWindow&) = delete;
    SwitcherWindow& operator=(const SwitcherWindow&) = delete;

    bool Create(HINSTANCE instance);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void ShowMenu();
    void OnCommand(UINT id);
    void UpdateTip();

    const AppContext& app_;
    // Destroyed with the object unless the user's Quit destroyed it first.
    ScopedWindow hwnd_;
    UINT taskbarCreated_ = 0;
    ProfileSwitcher switcher_;  // made with the object: its event hook is set before the window is created
    std::unique_ptr<TrayIcon> tray_;
};

}  // namespace zavo::switcher
