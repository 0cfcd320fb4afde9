#include "macroeditor/DlgMacroSetting.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>

#include "dialogs/DlgNewMacro.h"
#include "dialogs/DlgCMDMenu.h"
#include "macro/MacroEdits.h"
#include "macro/MacroFiles.h"
#include "dialogs/DlgMacroNameMenu.h"
#include "app/UiTexts.h"

namespace zavo {

namespace {

constexpr int IDC_DELAY_VALUE = 1004;
constexpr int IDC_DEFAULT_DELAY = 1005;
constexpr int IDC_EVENT_LIST = 1006;
constexpr int IDC_DELAY_LIST = 1007;

// Buttons by role ("1" .. "21" of the skin).
enum : int {
    B_OK = 1,
    B_CANCEL,
    B_SAVE,
    B_NEW,
    B_IMPORT,
    B_EXPORT,
    B_DELETE_MACRO,
    B_RECORD,
    B_STOP,
    B_DELETE_LINE,
    B_UP,
    B_DOWN,
    B_APPLY_DELAY,
    B_END_RECORDING,
    B_INSERT_COMMAND,
    B_NAME,
    B_PLUS,
    B_MINUS,
    B_IGNORE_DELAY,
    B_DEFAULT_DELAY,
    B_COMMAND,
};

// Tooltips from the language module; 0 = the button entry's own text.
constexpr int kTooltips[CDlgMacroSetting::BUTTON_COUNT] = {9, 8, 7, 15, 16, 17, 18, 24, 25, 26, 0,
                                                           0, 0, 0, 0,  0,  0,  0,  22, 23, 0};

const wchar_t kCaption[] = L"ZAVOConfig";
const wchar_t kMacroFilter[] = L"Macro File(*.ini)\0*.ini\0\0";

}  // namespace

CDlgMacroSetting::CDlgMacroSetting(const AppContext& app, CWnd* owner)
    : CSkinDialog(IDD, app, owner),
      m_CommandNames(MakeCommandNames(app.langTexts)),
      m_Recorder(m_Macro, m_Lists, m_CommandNames) {}

std::vector<SkinButtonSpec> CDlgMacroSetting::SkinButtons() {
    std::vector<SkinButtonSpec> buttonList;
    for (int n = 1; n <= BUTTON_COUNT; ++n) {
        const int lang = kTooltips[n - 1];
        buttonList.push_back(
            {std::to_wstring(n), &Button(n), lang ? TooltipSource::Lang(lang) : TooltipSource::Entry()});
    }
    return buttonList;
}

void CDlgMacroSetting::DoDataExchange(CDataExchange* dx) {
    CSkinDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_DELAY_VALUE, m_DelayValue);
    DDX_Control(dx, IDC_DEFAULT_DELAY, m_DefaultDelay);
    DDX_Control(dx, IDC_EVENT_LIST, m_EventList);
    DDX_Control(dx, IDC_DELAY_LIST, m_DelayList);
}

BOOL CDlgMacroSetting::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    m_strMacroFolder = MacroFolderOf(m_App.dataFolder);
    RefillMacroNameList(m_strMacroFolder, m_MacroNames);
    m_Macro.Clear();
    m_nCommand = -1;
    m_ListBrush.Reset(::CreateSolidBrush(RGB(0, 0, 0)));

    m_EventList.MoveWindow(28, 69, 85, 182, TRUE);
    m_DelayList.MoveWindow(114, 69, 88, 182, TRUE);
    m_DelayValue.MoveWindow(291, 145, 33, 17, TRUE);
    m_DefaultDelay.MoveWindow(335, 224, 33, 17, TRUE);
    ShowDefaultDelay();
    m_DelayValue.SetWindowText(L"0");

    LoadHook();
    m_States = MacroEditorButtons();
    ShowButtonStates();
    return TRUE;
}

// ----- the keyboard hook -------------------------------------------------------

void CDlgMacroSetting::LoadHook() {
    // By its full path in the program folder: a KBHook.dll elsewhere on the
    // search path is never loaded in its place.
    const std::wstring path = m_App.programFolder + L"KBHook.dll";
    m_hHook.Reset(::LoadLibraryW(path.c_str()));
    if (!m_hHook) return;
    m_pInstallHook =
        reinterpret_cast<InstallHookFn>(reinterpret_cast<void*>(::GetProcAddress(m_hHook.Get(), "installhook")));
    m_pRemoveHook =
        reinterpret_cast<RemoveHookFn>(reinterpret_cast<void*>(::GetProcAddress(m_hHook.Get(), "removehook")));
    if (!m_pInstallHook || !m_pRemoveHook) {
        m_pInstallHook = nullptr;
        m_pRemoveHook = nullptr;
        m_hHook.Reset();
        return;
    }
    ::OutputDebugStringW(L"loaded hook OK!\n");
}

void CDlgMacroSetting::RemoveHook() {
    if (m_pRemoveHook) m_pRemoveHook();
}

void CDlgMacroSetting::EndRecording() {
    RemoveHook();
    m_Recorder.End();
    Button(B_RECORD).SetLatched(false);
    m_States.RecordingEnded();
    ShowButtonStates();
}

void CDlgMacroSetting::AfterRecordingStopped() {
    RemoveHook();
    Button(B_RECORD).SetLatched(false);
    m_States.RecordingStopped();
    ShowButtonStates();
}

LRESULT CDlgMacroSetting::OnMacroKey(WPARAM vk, LPARAM releaseFlag) {
    std::wstring name;
    const auto result = m_Recorder.OnKeyReport(static_cast<std::int32_t>(vk), static_cast<std::uint32_t>(releaseFlag),
                                               ::GetTickCount(), m_App.layoutCode, &name);
    switch (result) {
        case MacroRecorder::KeyResult::Recorded:
            ::OutputDebugStringW((name + L"\n").c_str());
            ShowNewLines();
            return 1;
        case MacroRecorder::KeyResult::Full:
            // A full macro ends the recording as Stop does (without a closing delay:
            // there is no room for one).
            AfterRecordingStopped();
            return 0;
        default:
            return 0;
    }
}

LRESULT CDlgMacroSetting::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_MACRO_KEY) return OnMacroKey(wParam, lParam);
    return CSkinDialog::WindowProc(msg, wParam, lParam);
}

// ----- showing the macro ---------------------------------------------------------

void CDlgMacroSetting::ShowLists() {
    EndDeferredPaint();  // redrawn below
    m_bShowingLists = true;
    m_EventList.SendMessage(WM_SETREDRAW, FALSE);
    m_DelayList.SendMessage(WM_SETREDRAW, FALSE);
    m_EventList.ResetContent();
    m_DelayList.ResetContent();
    for (const std::wstring& line : m_Lists.EventLines) m_EventList.AddString(line);
    for (const std::wstring& line : m_Lists.DelayLines) m_DelayList.AddString(line);
    m_EventList.SetTopIndex(m_Lists.EventTop);
    m_DelayList.SetTopIndex(m_Lists.DelayTop);
    m_EventList.SendMessage(WM_SETREDRAW, TRUE);
    m_DelayList.SendMessage(WM_SETREDRAW, TRUE);
    m_EventList.Invalidate();
    m_DelayList.Invalidate();
    m_bShowingLists = false;
}

void CDlgMacroSetting::ShowNewLines() {
    // While recording the lists only grow: add what the list boxes lack. A
    // repaint of both lists is what a recorded key costs most, so while keys
    // come in the lists are filled with redraw off and painted when the keys
    // pause (kListPaintMs at most after the first of them).
    if (!m_bPaintDeferred) {
        m_EventList.SendMessage(WM_SETREDRAW, FALSE);
        m_DelayList.SendMessage(WM_SETREDRAW, FALSE);
        m_bPaintDeferred = true;
        ::SetTimer(m_hWnd, kListPaintTimer, kListPaintMs, nullptr);
    }
    for (int i = m_EventList.GetCount(); i < static_cast<int>(m_Lists.EventLines.size()); ++i)
        m_EventList.AddString(m_Lists.EventLines[static_cast<size_t>(i)]);
    for (int i = m_DelayList.GetCount(); i < static_cast<int>(m_Lists.DelayLines.size()); ++i)
        m_DelayList.AddString(m_Lists.DelayLines[static_cast<size_t>(i)]);
    m_EventList.SetTopIndex(m_Lists.EventTop);
    m_DelayList.SetTopIndex(m_Lists.DelayTop);
}

void CDlgMacroSetting::EndDeferredPaint() {
    if (!m_bPaintDeferred) return;
    ::KillTimer(m_hWnd, kListPaintTimer);
    m_bPaintDeferred = false;
    m_EventList.SendMessage(WM_SETREDRAW, TRUE);
    m_DelayList.SendMessage(WM_SETREDRAW, TRUE);
    m_EventList.Invalidate();
    m_DelayList.Invalidate();
}

void CDlgMacroSetting::OnTimer(UINT_PTR id) {
    if (id == kListPaintTimer) {
        EndDeferredPaint();
        return;
    }
    CSkinDialog::OnTimer(id);
}

void CDlgMacroSetting::ShowName(const std::wstring& name) {
    m_strMacroName = name;
    Button(B_NAME).SetText(name);
    ::RedrawWindow(Button(B_NAME).m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CDlgMacroSetting::ShowCommand() {
    Button(B_COMMAND).SetText(CommandName(m_CommandNames, m_nCommand));
    ::RedrawWindow(Button(B_COMMAND).m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CDlgMacroSetting::ShowDelayFlags() {
    Button(B_IGNORE_DELAY).SetLatched(m_Macro.IgnoreDelay == 1);
    Button(B_DEFAULT_DELAY).SetLatched(m_Macro.DefaultDelay == 1);
}

void CDlgMacroSetting::ShowDefaultDelay() { m_DefaultDelay.SetWindowText(std::to_wstring(m_Macro.DefaultDelayValue)); }

void CDlgMacroSetting::ShowButtonStates() {
    for (int n = 1; n <= BUTTON_COUNT; ++n) {
        const BOOL enable = m_States.Enabled(n) ? TRUE : FALSE;
        // Only a change is passed on: a button that is already right is not repainted.
        if ((::IsWindowEnabled(Button(n).m_hWnd) != FALSE) != (enable != FALSE)) Button(n).EnableWindow(enable);
    }
    if ((::IsWindowEnabled(m_DelayValue.m_hWnd) != FALSE) != m_States.DelayBoxEnabled())
        m_DelayValue.EnableWindow(m_States.DelayBoxEnabled() ? TRUE : FALSE);
}

void CDlgMacroSetting::SelectEventLine(int line) {
    if (line == NO_LINE) return;
    m_EventList.SetCurSel(line);
    m_States.EventLineSelected(line, m_EventList.GetCount());
    ShowButtonStates();
}

void CDlgMacroSetting::Tell(const std::wstring& text) { ::MessageBoxW(m_hWnd, text.c_str(), kCaption, MB_OK); }

// ----- buttons ---------------------------------------------------------------------

BOOL CDlgMacroSetting::OnCommand(WPARAM wParam, LPARAM lParam) {
    const HWND from = reinterpret_cast<HWND>(lParam);
    if (from && !m_bShowingLists) {
        const UINT code = HIWORD(wParam);
        if (from == m_EventList.m_hWnd && code == LBN_SELCHANGE) OnEventSelected();
        if (from == m_DelayList.m_hWnd && code == LBN_SELCHANGE) OnDelaySelected();
        if (from == m_DelayValue.m_hWnd && code == EN_SETFOCUS) EndRecording();
        if (from == m_DefaultDelay.m_hWnd && code == EN_CHANGE)
            m_Macro.DefaultDelayValue = ParseDecimal(m_DefaultDelay.GetWindowText());
        for (int n = 1; n <= BUTTON_COUNT; ++n) {
            if (from != Button(n).m_hWnd) continue;
            switch (n) {
                case B_OK:
                    OnOkButton();
                    break;
                case B_CANCEL:
                    CDialog::OnCancel();
                    break;
                case B_SAVE:
                    EndRecording();
                    SaveCurrent();
                    break;
                case B_NEW:
                    OnNewMacro();
                    break;
                case B_IMPORT:
                    OnImport();
                    break;
                case B_EXPORT:
                    OnExport();
                    break;
                case B_DELETE_MACRO:
                    OnDeleteMacro();
                    break;
                case B_RECORD:
                    OnRecord();
                    break;
                case B_STOP:
                    OnStop();
                    break;
                case B_DELETE_LINE:
                    OnDeleteLine();
                    break;
                case B_UP:
                    OnMoveLine(true);
                    break;
                case B_DOWN:
                    OnMoveLine(false);
                    break;
                case B_APPLY_DELAY:
                    OnApplyDelay();
                    break;
                case B_END_RECORDING:
                    EndRecording();
                    break;
                case B_INSERT_COMMAND:
                    OnInsertCommand();
                    break;
                case B_NAME:
                    OnNameButton();
                    break;
                case B_PLUS:
                    OnStepDelay(true);
                    break;
                case B_MINUS:
                    OnStepDelay(false);
                    break;
                case B_IGNORE_DELAY:
                    OnIgnoreDelay();
                    break;
                case B_DEFAULT_DELAY:
                    OnDefaultDelay();
                    break;
                case B_COMMAND:
                    OnCommandMenu();
                    break;
                default:
                    break;
            }
            break;
        }
    }
    return CSkinDialog::OnCommand(wParam, lParam);
}

bool CDlgMacroSetting::SaveCurrent() {
    if (m_strMacroName.empty()) return true;
    const MacroFileResult r = SaveMacroByName(m_strMacroFolder, m_strMacroName, m_Macro, m_MacroNames);
    if (r.ok()) return true;
    Tell(r.message);
    return false;
}

void CDlgMacroSetting::OnOkButton() {
    EndRecording();
    // A save that failed keeps the window open with the user's macro in it.
    if (SaveCurrent()) CDialog::OnOK();
}

void CDlgMacroSetting::OnNewMacro() {
    EndRecording();
    CDlgNewMacro dialog(m_App, this);
    if (dialog.DoModal() != IDOK || dialog.m_Name.empty()) return;
    const MacroFileResult r = CreateMacro(m_strMacroFolder, dialog.m_Name, m_Macro, m_MacroNames);
    if (!r.ok()) {
        Tell(r.message);
        return;
    }
    // Only a macro whose file now exists can be recorded and deleted.
    m_States.MacroCreated();
    ShowButtonStates();
    ShowDelayFlags();
    ShowDefaultDelay();
    m_DelayValue.SetWindowText(L"0");
    m_nCommand = -1;
    ShowCommand();
    m_Lists.Clear();
    ShowLists();
    ShowName(r.name);
}

std::wstring CDlgMacroSetting::StartFolder() const {
    wchar_t desktop[MAX_PATH] = L"";
    if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop)) && desktop[0])
        return desktop;
    return m_strMacroFolder;
}

void CDlgMacroSetting::OnImport() {
    EndRecording();
    wchar_t file[MAX_PATH] = L"*.ini";
    const std::wstring folder = StartFolder();
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_hWnd;  // owned by the editor: the editor waits for it
    ofn.lpstrFilter = kMacroFilter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = folder.c_str();
    ofn.lpstrDefExt = L"ini";
    ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!::GetOpenFileNameW(&ofn)) return;
    const MacroFileResult r = ImportMacroFile(m_strMacroFolder, file, m_Macro, m_MacroNames);
    if (!r.ok()) {
        if (r.code == MacroFileResult::TooLarge)
            Tell(m_App.Text(kMacroFileTooLarge));
        else if (!r.message.empty())
            Tell(r.message);
        return;
    }
    ShowName(r.name);
    ShowDelayFlags();
    ShowDefaultDelay();
    RebuildLists(m_Macro, m_CommandNames, m_Lists);
    ShowLists();
}

void CDlgMacroSetting::OnExport() {
    EndRecording();
    wchar_t file[MAX_PATH] = L".ini";
    const std::wstring folder = StartFolder();
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = kMacroFilter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = folder.c_str();
    ofn.lpstrDefExt = L"ini";
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (::GetSaveFileNameW(&ofn)) {
        const MacroFileResult r = ExportMacroFile(file, m_Macro);
        if (r.code == MacroFileResult::WriteFailed) Tell(r.message);
    }
    RefillMacroNameList(m_strMacroFolder, m_MacroNames);
}

void CDlgMacroSetting::OnDeleteMacro() {
    EndRecording();
    m_NameMenu.Close();
    if (m_strMacroName.empty()) return;
    // By name: the list may have been refilled since the macro became current.
    const MacroFileResult r = DeleteMacro(m_strMacroFolder, m_strMacroName, m_Macro, m_MacroNames);
    if (!r.ok()) {
        Tell(r.message);
        return;
    }
    ShowName(L"");
    ShowDelayFlags();
    m_Lists.Clear();
    ShowLists();
    m_States.MacroDeleted();
    ShowButtonStates();
}

void CDlgMacroSetting::OnRecord() {
    RemoveHook();
    if (m_pInstallHook) m_pInstallHook(m_hWnd);
    m_Recorder.Start();
    ShowLists();
    Button(B_RECORD).SetLatched(true);
    m_States.RecordingStarted();
    ShowButtonStates();
}

void CDlgMacroSetting::OnStop() {
    RemoveHook();
    m_Recorder.Stop();
    ShowLists();
    AfterRecordingStopped();
}

void CDlgMacroSetting::OnDeleteLine() {
    const int line = m_EventList.GetCurSel();
    if (line < 0) return;
    const int next = DeleteEventLine(m_Macro, m_CommandNames, m_Lists, line);
    ShowLists();
    if (next == NO_LINE) {
        m_States.EventListEmptied();
        ShowButtonStates();
        return;
    }
    SelectEventLine(next);
}

void CDlgMacroSetting::OnMoveLine(bool up) {
    const int line = m_EventList.GetCurSel();
    if (line < 0) return;
    const int moved = up ? MoveEventLineUp(m_Macro, m_CommandNames, m_Lists, line)
                         : MoveEventLineDown(m_Macro, m_CommandNames, m_Lists, line);
    if (moved == NO_LINE) return;
    ShowLists();
    SelectEventLine(moved);
}

void CDlgMacroSetting::OnApplyDelay() {
    const int line = m_DelayList.GetCurSel();
    if (line < 0) return;
    if (!ApplyDelayToLine(m_Macro, m_Lists, line, m_DelayValue.GetWindowText())) return;
    m_DelayList.DeleteString(line);
    m_DelayList.InsertString(line, m_Lists.DelayLines[static_cast<size_t>(line)]);
    m_DelayList.SetCurSel(line);
}

void CDlgMacroSetting::OnInsertCommand() {
    const int line = m_EventList.GetCurSel();
    if (line < 0) {
        if (m_nCommand < 0) return;
        switch (m_Recorder.AppendCommand(m_nCommand, ::GetTickCount())) {
            case MacroRecorder::CommandResult::Appended:
                ShowNewLines();
                break;
            case MacroRecorder::CommandResult::Full:
                AfterRecordingStopped();
                break;
            default:
                break;
        }
        return;
    }
    if (!InsertCommandBefore(m_Macro, m_CommandNames, m_Lists, line, m_nCommand)) return;
    ShowLists();
}

void CDlgMacroSetting::OnNameButton() {
    EndRecording();
    if (m_NameMenu.Has()) {
        m_NameMenu.Close();
        return;
    }
    m_NameMenu.Open(std::make_unique<CDlgMacroNameMenu>(m_App, *this, m_MacroNames),
                    BelowButton(Button(B_NAME).m_hWnd));
}

void CDlgMacroSetting::OnStepDelay(bool up) {
    EndRecording();
    std::wstring text;
    if (StepDelayText(m_DelayValue.GetWindowText(), up, text)) m_DelayValue.SetWindowText(text);
}

void CDlgMacroSetting::OnIgnoreDelay() {
    EndRecording();
    ToggleIgnoreDelay(m_Macro);
    ShowDelayFlags();
}

void CDlgMacroSetting::OnDefaultDelay() {
    EndRecording();
    ToggleDefaultDelay(m_Macro);
    ShowDelayFlags();
}

void CDlgMacroSetting::OnCommandMenu() {
    POINT at = BelowButton(Button(B_COMMAND).m_hWnd);
    at.x += 1;
    CDlgCMDMenu menu(m_App, *this, at);
    const INT_PTR picked = menu.DoModal();
    m_nCommand = picked >= 0 && picked < MACRO_COMMAND_COUNT ? static_cast<int>(picked) : -1;
    ShowCommand();
}

void CDlgMacroSetting::OnMacroPicked(int index) {
    if (!m_NameMenu.Has()) return;  // a late message from a menu already gone
    m_NameMenu.Close();
    if (index < 0 || index >= static_cast<int>(m_MacroNames.size())) return;
    const std::wstring name = m_MacroNames[static_cast<size_t>(index)];
    if (!CheckMacroName(name)) return;  // a file listed under a name that cannot be opened
    ShowName(name);
    LoadMacroFile(MacroFilePathOf(m_strMacroFolder, name), m_Macro);
    m_States.MacroPicked();
    ShowButtonStates();
    ShowDelayFlags();
    ShowDefaultDelay();
    RebuildLists(m_Macro, m_CommandNames, m_Lists);
    ShowLists();
}

// ----- selections, keys, mouse ------------------------------------------------------

void CDlgMacroSetting::OnEventSelected() {
    if (m_Recorder.IsRecording()) return;
    m_DelayList.SetCurSel(-1);
    m_States.EventLineSelected(m_EventList.GetCurSel(), m_EventList.GetCount());
    ShowButtonStates();
}

void CDlgMacroSetting::OnDelaySelected() {
    if (m_Recorder.IsRecording()) return;
    m_EventList.SetCurSel(-1);
    m_States.DelayLineSelected(m_DelayList.GetCurSel() >= 0);
    ShowButtonStates();
}

BOOL CDlgMacroSetting::PreTranslateMessage(MSG* msg) {
    if (IsEnterOrEscKey(msg)) return FALSE;
    // A space typed while recording must not press the focused button.
    if (m_Recorder.IsRecording() && (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) && msg->wParam == VK_SPACE)
        return TRUE;
    if (msg->message == WM_MACRONAME_PICKED && msg->hwnd == m_hWnd) {
        OnMacroPicked(static_cast<int>(msg->wParam));
        return TRUE;
    }
    return CSkinDialog::PreTranslateMessage(msg);
}

void CDlgMacroSetting::OnLButtonDown(UINT flags, POINT pt) {
    m_NameMenu.Close();
    CSkinDialog::OnLButtonDown(flags, pt);
}

HBRUSH CDlgMacroSetting::OnCtlColor(HDC dc, HWND child, UINT ctlType) {
    if (ctlType == CTLCOLOR_LISTBOX && m_ListBrush) {
        ::SetTextColor(dc, RGB(255, 255, 255));
        ::SetBkColor(dc, RGB(0, 0, 0));
        return m_ListBrush.Get();
    }
    return CSkinDialog::OnCtlColor(dc, child, ctlType);
}

void CDlgMacroSetting::OnDestroy() {
    EndDeferredPaint();
    RemoveHook();
    m_Recorder.End();
    m_NameMenu.Close();
    m_pInstallHook = nullptr;
    m_pRemoveHook = nullptr;
    m_hHook.Reset();
    CSkinDialog::OnDestroy();
    m_ListBrush.Reset();
}

}  // namespace zavo
