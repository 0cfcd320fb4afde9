// The switcher's notification-area icon: added with its tooltip, the tooltip
// changed, removed when the object goes. Clicks arrive at the owner window as
// `callbackMessage` with the mouse message in lParam.
#pragma once
#include <windows.h>

#include <string>

namespace zavo::switcher {

class TrayIcon {
public:
    TrayIcon(HWND owner, UINT callbackMessage, HICON icon);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon (again, after the taskbar was recreated).
    bool Add();
    void SetTip(const std::wstring& tip);
    const std::wstring& Tip() const { return tip_; }

private:
    NOTIFYICONDATAW Data(UINT flags) const;
    HWND owner_;
    UINT message_;
    HICON icon_;  // a resource icon of the executable: shared, never destroyed
    std::wstring tip_;
    bool added_ = false;
};

}  // namespace zavo::switcher
