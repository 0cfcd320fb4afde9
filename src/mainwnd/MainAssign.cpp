// Picking keys on the on-screen keyboard, and the four assignment buttons with
// their dialogs.
#include <windows.h>

#include "platform/TextFill.h"
#include "app/UiTexts.h"
#include "framework/FileDialog.h"
#include "keydlg/DlgSingleKey.h"
#include "keydlg/DlgTKey.h"
#include "mainwnd/MainDlg.h"

namespace zavo {

namespace {
const wchar_t kTargetGone[] = L"Settings reloaded meanwhile: nothing changed";
}  // namespace

void CZAVOConfigDlg::RunKey(int key) {
    if (key < TKEY_COUNT)
        OnPickTKey(key);
    else if (key - TKEY_COUNT < STANDARD_KEY_COUNT)
        OnPickStandardKey(key - TKEY_COUNT);
}

CZAVOConfigDlg::AssignTarget CZAVOConfigDlg::CurrentTarget() const {
    const KeyboardView& view = *m_pView;
    return AssignTarget{m_Session.Config().CurrantProfile, view.SelectedSlot(), view.SelectedKey(), view.SelectedTKey(),
                        m_nReloads};
}

bool CZAVOConfigDlg::StillTarget(const AssignTarget& t) {
    const AssignTarget now = CurrentTarget();
    if (now.profile == t.profile && now.slot == t.slot && now.key == t.key && now.tkey == t.tkey &&
        now.reloads == t.reloads)
        return true;
    // The result was meant for a key of settings that are gone: dropping it is
    // the only way it cannot land on another profile or key.
    ShowNotice(kTargetGone);
    return false;
}

void CZAVOConfigDlg::OnPickTKey(int index) {
    m_pView->PickTKey(index);
    m_strStatus = m_pView->DescribeSlot();
    ShowStatus(m_strStatus);
}

void CZAVOConfigDlg::OnPickStandardKey(int k) {
    m_pView->PickStandardKey(k);
    // At the eight-key limit MACRO and APP are greyed out: the line says why.
    const std::wstring limit = m_pView->LimitNotice();
    if (!limit.empty()) {
        ShowNotice(limit);
        return;
    }
    m_strStatus = m_pView->DescribeSlot();
    ShowStatus(m_strStatus);
}

void CZAVOConfigDlg::OnAssignClear() {
    // A clear that removed something is an edit like any other: a profile switch
    // that follows asks before dropping it.
    if (m_pView->ClearSelected()) m_Session.MarkModified();
    m_strStatus = m_pView->DescribeSlot();  // empty now
    ShowStatus(m_strStatus);
    ShowIndicator(Indicator::Default);
}

void CZAVOConfigDlg::OnAssignApplication() {
    KeyboardView& view = *m_pView;
    if (!view.HasSelectedSlot()) return;
    const AssignTarget target = CurrentTarget();
    FileChoice choice;
    // Owned by the main window: while it is open the selection and the profile
    // cannot change under it.
    choice.owner = m_hWnd;
    choice.filter = FileFilter(m_App.Text(kExeFileFilter), L"*.exe");
    choice.name = L"*.exe";
    choice.extension = L"exe";
    const std::optional<std::wstring> file = AskFilePath(choice);
    if (!StillTarget(target)) return;
    if (file) {
        if (view.StoreApplication(*file)) m_Session.MarkModified();
    } else {
        view.GiveBackSelectedSlot();
    }
    m_strStatus = view.DescribeSlot();
    ShowStatus(m_strStatus);
    view.ShowKeyAssignments();
    view.UpdateAssignButtons();  // Clear follows what the key holds now
    ShowIndicator(Indicator::Launch);
}

void CZAVOConfigDlg::OnAssignMacro() {
    KeyboardView& view = *m_pView;
    if (!view.HasSelectedSlot()) return;
    const AssignTarget target = CurrentTarget();
    CDlgTKey dialog(m_App);
    view.SelectedMacro(dialog.m_Macro);
    const bool accepted = dialog.DoModal() == IDOK;
    if (!StillTarget(target)) return;
    if (!accepted) {
        view.GiveBackSelectedSlot();
    } else {
        switch (view.StoreMacro(dialog.m_Macro)) {
            case KeyboardView::MacroStore::Stored:
                m_Session.MarkModified();
                break;
            case KeyboardView::MacroStore::OverBudget: {
                // The slot keeps what it had; a lent slot it only reserved goes back.
                const std::wstring text = FillIn(m_App.Text(kMacroNoRoom),
                                                 {std::to_wstring(dialog.m_Macro.MacroLength),
                                                  std::to_wstring(view.MacroRoomForSelection()),
                                                  std::to_wstring(MACRO_EVENT_MAX)});
                ::MessageBoxW(m_hWnd, text.c_str(), L"ZAVOConfig", MB_OK | MB_ICONINFORMATION);
                view.GiveBackSelectedSlot();
                break;
            }
            case KeyboardView::MacroStore::NoSlot:
                break;
        }
    }
    m_strStatus = view.DescribeSlot();
    ShowStatus(m_strStatus);
    view.ShowKeyAssignments();
    view.UpdateAssignButtons();  // Clear follows what the key holds now
    ShowIndicator(Indicator::Macro);
}

void CZAVOConfigDlg::OnAssignSingleKey() {
    KeyboardView& view = *m_pView;
    CDlgSingleKey dialog(m_App);
    // Nothing selected: there is no key to remap.
    if (!view.SingleKeyStart(dialog.m_SrcKeyCode, dialog.m_DstKeyCode)) return;
    // A T-key has no key code: its Key box names the T-key.
    if (view.SelectedTKey() >= 0) dialog.m_SrcLabel = L"T" + std::to_wstring(view.SelectedTKey() + 1);
    const AssignTarget target = CurrentTarget();
    const bool accepted = dialog.DoModal() == IDOK;
    if (!StillTarget(target)) return;
    if (accepted && view.StoreSingleKey(dialog.m_SrcKeyCode, dialog.m_DstKeyCode))
        m_Session.MarkModified();
    else
        view.GiveBackSelectedSlot();
    m_strStatus = view.DescribeSlot();
    ShowStatus(m_strStatus);
    view.ShowKeyAssignments();
    view.UpdateAssignButtons();  // Clear follows what the key holds now
    ShowIndicator(Indicator::Key);
}

}  // namespace zavo
