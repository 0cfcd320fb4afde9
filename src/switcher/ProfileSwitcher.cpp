#include "switcher/ProfileSwitcher.h"

#include "app/Switcher.h"
#include "config/ConfigStore.h"
#include "service/ServiceCodes.h"

namespace zavo::switcher {

ProfileSwitcher::ProfileSwitcher(std::wstring dataFolder)
    : dataFolder_(std::move(dataFolder)), watch_([this](HWND window) { OnForeground(window); }) {}

const apps::AppRules& ProfileSwitcher::Rules() {
    // Read again only when the file changed: one look at the file per event.
    const std::wstring path = apps::RulesFilePath(dataFolder_);
    const fs::FileStamp now = fs::Stat(path);
    if (now != rulesStamp_) {
        rules_ = apps::ReadAppRules(path);
        rulesStamp_ = now;
    }
    return rules_;
}

int ProfileSwitcher::ActiveProfile() const {
    const int p = Settings().IniReadInt(ConfigFilePath(dataFolder_), L"CONFIG", L"CURRENTPROFILE", -1);
    return p >= 0 && p < PROFILE_COUNT ? p : -1;
}

void ProfileSwitcher::OnForeground(HWND window) {
    lastForeground_ = window;
    const apps::AppRules& rules = Rules();
    apps::SwitchInputs in;
    in.automatic = rules.automatic;
    in.paused = paused_;
    in.configuring = ::FindWindowW(nullptr, svc::MAIN_WINDOW_TITLE) != nullptr;
    in.servicePresent = ServiceLink::IsRunning();
    in.target = apps::ProfileFor(rules, ImagePathOfWindow(window));
    in.current = ActiveProfile();
    const apps::SwitchAction action = apps::DecideSwitch(in);
    if (action == apps::SwitchAction::WhenServiceUp) {
        WaitForService();
        return;
    }
    watch_.StopWatchingCreation();
    if (action == apps::SwitchAction::Select) Select(in.target);
}

void ProfileSwitcher::WaitForService() {
    watch_.WatchCreation([this] {
        if (!ServiceLink::IsRunning()) return;
        watch_.StopWatchingCreation();
        // The application in front now: the last one the events named while it
        // is still there.
        OnForeground(::IsWindow(lastForeground_) ? lastForeground_ : ::GetForegroundWindow());
    });
}

void ProfileSwitcher::Select(int profile) {
    const std::wstring config = ConfigFilePath(dataFolder_);
    // A data folder the tool never set up gets no half Config.config: only the
    // service is told.
    if (fs::FileExists(config)) {
        if (SaveResult r = WriteConfigProfile(config, profile); !r)
            ::OutputDebugStringW((L"ZAVOSwitch: " + DescribeFailure(r) + L"\n").c_str());
    }
    service_.Post(svc::SVC_SELECT_PROFILE, profile);
    if (onChanged) onChanged();
}

void ProfileSwitcher::SetPaused(bool paused) {
    paused_ = paused;
    if (paused) watch_.StopWatchingCreation();
    if (onChanged) onChanged();
}

}  // namespace zavo::switcher
