#include "switcher/TrayIcon.h"

#include <shellapi.h>

#include <cwchar>

namespace zavo::switcher {

namespace {
constexpr UINT kIconId = 1;
}

TrayIcon::TrayIcon(HWND owner, UINT callbackMessage, HICON icon) : owner_(owner), message_(callbackMessage), icon_(icon) {}

TrayIcon::~TrayIcon() {
    if (!added_) return;
    NOTIFYICONDATAW data = Data(0);
    ::Shell_NotifyIconW(NIM_DELETE, &data);
}

NOTIFYICONDATAW TrayIcon::Data(UINT flags) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner_;
    data.uID = kIconId;
    data.uFlags = flags;
    data.uCallbackMessage = message_;
    data.hIcon = icon_;
    std::wcsncpy(data.szTip, tip_.c_str(), sizeof data.szTip / sizeof(wchar_t) - 1);
    return data;
}

bool TrayIcon::Add() {
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    added_ = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    return added_;
}

void TrayIcon::SetTip(const std::wstring& tip) {
    tip_ = tip;
    if (!added_) return;
    NOTIFYICONDATAW data = Data(NIF_TIP);
    ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

}  // namespace zavo::switcher
