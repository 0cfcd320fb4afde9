#include "switcher/SwitcherWindow.h"

#include <shellapi.h>

#include "app/Switcher.h"
#include "platform/TextFill.h"
#include "app/UiTexts.h"
#include "platform/Win32Handle.h"

namespace zavo::switcher {

namespace {
constexpr int kIconResource = 128;
}

SwitcherWindow::SwitcherWindow(const AppContext& app) : app_(app), switcher_(app.dataFolder) {
    switcher_.onChanged = [this] { UpdateTip(); };
}

SwitcherWindow::~SwitcherWindow() {
    tray_.reset();
    hwnd_.Reset();
}

bool SwitcherWindow::Create(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Proc;
    wc.hInstance = instance;
    wc.lpszClassName = kWindowClass;
    if (!::RegisterClassExW(&wc)) return false;
    // WM_NCCREATE already gave the window to hwnd_.
    if (!::CreateWindowExW(0, kWindowClass, kWindowClass, WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance, this))
        return false;
    taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    tray_ = std::make_unique<TrayIcon>(hwnd_, WM_TRAY, ::LoadIconW(instance, MAKEINTRESOURCEW(kIconResource)));
    UpdateTip();
    tray_->Add();
    return true;
}

LRESULT CALLBACK SwitcherWindow::Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<SwitcherWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_.Reset(window);
    }
    auto* self = reinterpret_cast<SwitcherWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->Handle(msg, wParam, lParam) : ::DefWindowProcW(window, msg, wParam, lParam);
}

LRESULT SwitcherWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == taskbarCreated_ && taskbarCreated_ && tray_) {
        tray_->Add();  // the taskbar was restarted: the icon is gone with it
        return 0;
    }
    switch (msg) {
        case WM_TRAY:
            if (lParam == WM_RBUTTONUP || lParam == WM_CONTEXTMENU) ShowMenu();
            if (lParam == WM_LBUTTONDBLCLK) OnCommand(ID_OPEN);
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_DESTROY:
            tray_.reset();
            ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            hwnd_.Release();  // being destroyed: nothing left to destroy
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
    }
}

void SwitcherWindow::ShowMenu() {
    ScopedMenu menu(::CreatePopupMenu());
    if (!menu) return;
    const UiText& pause = switcher_.Paused() ? kSwitchMenuResume : kSwitchMenuPause;
    ::AppendMenuW(menu.Get(), MF_STRING, ID_PAUSE, app_.Text(pause).c_str());
    ::AppendMenuW(menu.Get(), MF_STRING, ID_OPEN, app_.Text(kSwitchMenuOpen).c_str());
    ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu.Get(), MF_STRING, ID_QUIT, app_.Text(kSwitchMenuQuit).c_str());
    POINT at{};
    ::GetCursorPos(&at);
    // The menu closes when the user clicks elsewhere only while its owner is in front.
    ::SetForegroundWindow(hwnd_);
    ::TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, at.x, at.y, 0, hwnd_, nullptr);
    ::PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void SwitcherWindow::OnCommand(UINT id) {
    switch (id) {
        case ID_PAUSE:
            switcher_.SetPaused(!switcher_.Paused());
            break;
        case ID_OPEN:
            ::ShellExecuteW(nullptr, nullptr, (app_.programFolder + L"ZAVOConfig.exe").c_str(), nullptr,
                            app_.programFolder.c_str(), SW_SHOWNORMAL);
            break;
        case ID_QUIT:
            hwnd_.Reset();  // its WM_DESTROY ends the message loop
            break;
        default:
            break;
    }
}

void SwitcherWindow::UpdateTip() {
    const int p = switcher_.ActiveProfile();
    const std::wstring profile = p >= 0 ? std::to_wstring(p + 1) : L"-";
    const std::wstring tip = FillIn(app_.Text(switcher_.Paused() ? kSwitchTipPaused : kSwitchTipProfile), {profile});
    if (tray_) tray_->SetTip(tip);
    if (hwnd_) ::SetWindowTextW(hwnd_, tip.c_str());
}

}  // namespace zavo::switcher
