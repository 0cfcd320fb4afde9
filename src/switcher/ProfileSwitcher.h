// The switch itself: when an application comes to the front, the profile its
// rule names is made the active one exactly as a click on a profile button of
// the main window makes it (CURRENTPROFILE in Config.config through the
// settings engine, SVC_SELECT_PROFILE posted through ServiceLink). Nothing is
// switched while the main window is open (the user is configuring), while
// paused, when switching is off in the rules file, or when the profile is
// already active; without the service nothing is sent or written, and the
// switch is made for the application then in front once the service's window
// appears. Only posted messages: a hung service never holds the switcher up.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "config/AppRules.h"
#include "platform/FileSystem.h"
#include "service/ServiceLink.h"
#include "switcher/ForegroundWatch.h"

namespace zavo::switcher {

class ProfileSwitcher {
public:
    explicit ProfileSwitcher(std::wstring dataFolder);

    // The application of `window` came to the front.
    void OnForeground(HWND window);
    void SetPaused(bool paused);
    bool Paused() const { return paused_; }
    // CURRENTPROFILE of Config.config (0..4), -1 when it names none.
    int ActiveProfile() const;
    // Called after a switch and after pause or resume (the tooltip follows).
    std::function<void()> onChanged;

private:
    const apps::AppRules& Rules();
    void Select(int profile);
    void WaitForService();

    std::wstring dataFolder_;
    fs::FileStamp rulesStamp_;
    apps::AppRules rules_;
    bool paused_ = false;
    HWND lastForeground_ = nullptr;
    ServiceLink service_;
    ForegroundWatch watch_;
};

}  // namespace zavo::switcher
