// Test helpers: a log of what the windows did, and a dialog whose steps are
// given by the test.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/Dialog.h"

namespace zavo::test {

// The recorded sequence of one test.
inline std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

// Messages a test posts to drive its dialogs.
constexpr UINT WM_TEST_STEP = WM_APP + 10;  // run the dialog's step callback
constexpr UINT WM_TEST_PING = WM_APP + 11;  // nothing to do: only recorded

// A dialog on a test template: OnInitDialog runs `onInit`, WM_TEST_STEP runs
// `onStep`, both with the dialog; each records "<name>:<event>".
class ScriptedDialog : public CDialog {
public:
    ScriptedDialog(std::string name, UINT templateId, CWnd* parent = nullptr)
        : CDialog(templateId, parent), m_name(std::move(name)) {}

    std::function<void(ScriptedDialog&)> onInit;
    std::function<void(ScriptedDialog&)> onStep;
    // Return false for Enter and Esc without the dialog-key processing.
    bool swallowEnterEsc = false;

    void Record(const std::string& what) { Log().push_back(m_name + ":" + what); }

    int OnCreate(CREATESTRUCTW* cs) override {
        Record(FromHandle(m_hWnd) == this ? "create(bound)" : "create(unbound)");
        return CDialog::OnCreate(cs);
    }
    BOOL OnInitDialog() override {
        Record("init");
        CDialog::OnInitDialog();
        if (onInit) onInit(*this);
        return TRUE;
    }
    void OnDestroy() override {
        Record("destroy");
        CDialog::OnDestroy();
    }
    void OnOK() override {
        Record("ok");
        CDialog::OnOK();
    }
    void OnCancel() override {
        Record("cancel");
        CDialog::OnCancel();
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (swallowEnterEsc && (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) &&
            (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
            return FALSE;
        }
        return CDialog::PreTranslateMessage(msg);
    }
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_TEST_STEP) {
            Record("step");
            if (onStep) onStep(*this);
            return 0;
        }
        if (msg == WM_TEST_PING) {
            Record("ping");
            return 0;
        }
        return CDialog::WindowProc(msg, wp, lp);
    }

private:
    std::string m_name;
};

}  // namespace zavo::test
