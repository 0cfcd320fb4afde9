// Picking keys on the on-screen keyboard, and the four assignment buttons.
#include <windows.h>
#include <commdlg.h>

#include "mainwnd/MainDlg.h"

namespace zavo {

bool CZAVOConfigDlg::RunKeyButton(HWND from) {
    for (int i = 0; i < TKEY_COUNT; ++i) {
        if (m_TKeys[static_cast<size_t>(i)].m_hWnd == from) {
            OnPickTKey(i);
            return true;
        }
    }
    if (m_bEnterCreated && m_EnterButton.m_hWnd == from) {
        OnPickStandardKey(ENTER_KEY_INDEX);
        return true;
    }
    for (int k = 0; k < STANDARD_KEY_COUNT; ++k) {
        if (m_Keys[static_cast<size_t>(k)].m_hWnd && m_Keys[static_cast<size_t>(k)].m_hWnd == from) {
            OnPickStandardKey(k);
            return true;
        }
    }
    return false;
}

void CZAVOConfigDlg::OnPickTKey(int index) {
    m_pView->PickTKey(index);
    m_strStatus = m_pView->DescribeSlot();
    ShowStatus(m_strStatus);
}

void CZAVOConfigDlg::OnPickStandardKey(int k) { m_pView->PickStandardKey(k); }

void CZAVOConfigDlg::OnAssignClear() {
    // A clear that removed something is an edit like any other: a profile switch
    // that follows asks before dropping it.
    if (m_pView->ClearSelected()) m_bModified = 1;
    m_strStatus = m_pView->DescribeSlot();  // empty now
    ShowStatus(m_strStatus);
    ShowIndicator(Indicator::Default);
}

void CZAVOConfigDlg::OnAssignApplication() {
    KeyboardView& view = *m_pView;
    if (view.selSlot < 0) return;
    wchar_t file[MAX_PATH] = L"*.exe";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    // Owned by the main window: while it is open the selection and the profile
    // cannot change under it.
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = L"Exe file(*.exe)\0*.exe\0\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = L"exe";
    ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (::GetOpenFileNameW(&ofn)) {
        if (view.StoreApplication(file)) m_bModified = 1;
    } else {
        view.GiveBackSelectedSlot();
    }
    m_strStatus = view.DescribeSlot();
    ShowStatus(m_strStatus);
    view.ShowKeyAssignments();
    ShowIndicator(Indicator::Launch);
}

void CZAVOConfigDlg::OnAssignMacro() {
    // The T-key (macro) dialog takes over this button when it is built; until
    // then the reserved lent slot is given back, as after a cancelled dialog.
    if (m_pView->selSlot < 0) return;
    m_pView->GiveBackSelectedSlot();
    ShowIndicator(Indicator::Macro);
}

void CZAVOConfigDlg::OnAssignSingleKey() {
    // The single-key dialog takes over this button when it is built; until then
    // the reserved lent slot is given back, as after a cancelled dialog.
    m_pView->GiveBackSelectedSlot();
    m_strStatus = m_pView->DescribeSlot();
    ShowStatus(m_strStatus);
    m_pView->ShowKeyAssignments();
    ShowIndicator(Indicator::Key);
}

}  // namespace zavo
