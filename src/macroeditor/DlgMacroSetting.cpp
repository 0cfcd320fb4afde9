#include "macroeditor/DlgMacroSetting.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>

#include "app/FailureText.h"
#include "dialogs/DlgNewMacro.h"
#include "dialogs/DlgCMDMenu.h"
#include "framework/FileDialog.h"
#include "framework/Gdi.h"
#include "app/UiTexts.h"
#include "macro/KeyNames.h"
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

const wchar_t kCaption[] = L"ZAVOConfig";

// Where the skin frames the two lists, side by side (left, top, width, height),
// and how far the delay box may reach. The frame holds fourteen whole rows of
// kRowHeight and the lists' one-pixel frames.
constexpr RECT kListsArea{28, 69, 28 + 182, 69 + 184};
constexpr int kDelayBoxLeft = 289, kDelayBoxTop = 145, kDelayBoxWidth = 37, kDelayBoxHeight = 17;
// Inner padding of a list row's text, and the frame of a list.
constexpr int kRowPadding = 3 + 3;
constexpr int kListFrame = 2;
constexpr int kRowHeight = (kListsArea.bottom - kListsArea.top - kListFrame) / MACRO_LIST_VISIBLE_LINES;
static_assert(kRowHeight * MACRO_LIST_VISIBLE_LINES + kListFrame == kListsArea.bottom - kListsArea.top,
              "the skin's list frame holds whole rows");
// The list face: small enough for "Print Screen Release" beside "12750 ms".
constexpr int kListTextHeight = 10;

// The file dialog of a macro file's import (`mustExist`) or export, owned by the
// editor (the editor waits for it).
FileChoice MacroFileChoice(const AppContext& app, HWND editor, std::wstring folder, const wchar_t* name,
                           bool mustExist) {
    FileChoice c;
    c.owner = editor;
    c.filter = FileFilter(app.Text(kMacroFileFilter), L"*.ini");
    c.startFolder = std::move(folder);
    c.name = name;
    c.extension = L"ini";
    c.mustExist = mustExist;
    return c;
}

}  // namespace

CDlgMacroSetting::CDlgMacroSetting(const AppContext& app, CWnd* owner)
    : CSkinDialog(IDD, app, owner),
      m_CommandNames(MakeCommandNames(app.langTexts)),
      m_Recorder(m_Macro, m_Lists, m_CommandNames) {}

std::vector<SkinButtonSpec> CDlgMacroSetting::SkinButtons() {
    // Buttons "1" .. "21" of the skin in order: the language text of the
    // tooltip (0: the button entry's own text) and what a click runs.
    struct Item {
        int tooltip;
        std::function<void()> run;
    };
    const Item items[BUTTON_COUNT] = {
        {9, [this] { OnOkButton(); }},
        {8, [this] { OnCancel(); }},
        {7,
         [this] {
             EndRecording();
             SaveCurrent();
         }},
        {15, [this] { OnNewMacro(); }},
        {16, [this] { OnImport(); }},
        {17, [this] { OnExport(); }},
        {18, [this] { OnDeleteMacro(); }},
        {24, [this] { OnRecord(); }},
        {25, [this] { OnStop(); }},
        {26, [this] { OnDeleteLine(); }},
        {0, [this] { OnMoveLine(true); }},
        {0, [this] { OnMoveLine(false); }},
        {0, [this] { OnApplyDelay(); }},
        {0, [this] { EndRecording(); }},
        {0, [this] { OnInsertCommand(); }},
        {0, [this] { OnNameButton(); }},
        {0, [this] { OnStepDelay(true); }},
        {0, [this] { OnStepDelay(false); }},
        {22, [this] { OnIgnoreDelay(); }},
        {23, [this] { OnDefaultDelay(); }},
        {0, [this] { OnCommandMenu(); }},
    };
    std::vector<SkinButtonSpec> buttonList;
    for (int n = 1; n <= BUTTON_COUNT; ++n) {
        const Item& b = items[n - 1];
        // While the lists are being filled no button acts.
        auto run = [this, action = b.run] {
            if (!m_bShowingLists) action();
        };
        buttonList.push_back({std::to_wstring(n), &Button(n),
                              b.tooltip ? TooltipSource::Lang(b.tooltip) : TooltipSource::Entry(), std::move(run)});
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

    ShowDefaultDelay();
    m_DelayValue.SetWindowText(L"0");
    MarkSaved();

    m_EventList.SetAccessibleName(m_App.Text(kMacroStepList));
    m_DelayList.SetAccessibleName(m_App.Text(kMacroDelayList));
    m_DelayValue.SetAccessibleName(m_App.Text(kStepDelayBox));
    m_DefaultDelay.SetAccessibleName(m_App.Text(kDefaultDelayBox));

    LoadHook();
    m_States = MacroEditorButtons();
    ShowButtonStates();
    return TRUE;
}

void CDlgMacroSetting::PlaceOwnControls() {
    SetUpLists();
    // Wide enough for the longest delay, "12750".
    m_DelayValue.MoveWindow(Px(kDelayBoxLeft), Px(kDelayBoxTop), Px(kDelayBoxWidth), Px(kDelayBoxHeight), TRUE);
    m_DelayValue.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_ListFont.Get()), TRUE);
    m_DelayValue.SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(Px(1), Px(1)));
    m_DefaultDelay.MoveWindow(Px(335), Px(224), Px(33), Px(17), TRUE);
}

void CDlgMacroSetting::SetUpLists() {
    // The dialog's face, a little smaller, so that the longest step names fit.
    LOGFONTW face{};
    if (HFONT dialogFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)))
        ::GetObjectW(dialogFont, sizeof(face), &face);
    face.lfHeight = -AtDpi(kListTextHeight, Dpi());
    face.lfWidth = 0;
    face.lfWeight = FW_NORMAL;
    m_ListFont.Reset(::CreateFontIndirectW(&face));

    CMacroListBox::Colours colours;
    m_EventList.Setup(m_DelayList, colours, m_ListFont.Get());
    m_DelayList.Setup(m_EventList, colours, m_ListFont.Get());

    // The step column as wide as the longest step name of this font, the delay
    // column (with the one scroll bar of both) takes the rest; rows whole, none
    // cut at the bottom.
    ClientDC dc(m_EventList.m_hWnd);
    ScopedSelect font(dc.Get(), m_ListFont.Get());
    auto widthOf = [&](const std::wstring& text) {
        SIZE size{};
        ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    int stepWidth = 0;
    for (int code = 0; code < 256; ++code)
        stepWidth = std::max(stepWidth, widthOf(MacroKeyName(static_cast<std::uint8_t>(code)) + L" Release"));
    for (int command = 0; command < MACRO_COMMAND_COUNT; ++command)
        stepWidth = std::max(stepWidth, widthOf(CommandName(m_CommandNames, command)));
    const RECT area = PxRect(SkinRect{kListsArea.left, kListsArea.top, kListsArea.right, kListsArea.bottom});
    const int areaWidth = area.right - area.left;
    const int padding = Px(kRowPadding), frame = Px(kListFrame);
    const int delayWidth = widthOf(L"12750 ms") + padding + frame + ::GetSystemMetricsForDpi(SM_CXVSCROLL, Dpi());
    const int eventWidth = std::min(stepWidth + padding + frame, areaWidth - delayWidth);

    const int height = area.bottom - area.top;
    const int rowHeight = (height - frame) / MACRO_LIST_VISIBLE_LINES;
    m_EventList.SetItemHeight(0, rowHeight);
    m_DelayList.SetItemHeight(0, rowHeight);
    m_EventList.MoveWindow(area.left, area.top, eventWidth, height, TRUE);
    m_DelayList.MoveWindow(area.left + eventWidth, area.top, areaWidth - eventWidth, height, TRUE);
}

// ----- the keyboard hook -------------------------------------------------------

void CDlgMacroSetting::LoadHook() {
    // By its full path in the program folder: a KBHook.dll elsewhere on the
    // search path is never loaded in its place.
    const std::wstring path = m_App.programFolder + L"KBHook.dll";
    if (m_Hook.Load(path.c_str(), {"installhook", "removehook"})) ::OutputDebugStringW(L"loaded hook OK!\n");
}

void CDlgMacroSetting::InstallHook() {
    if (const InstallHookFn install = m_Hook.Entry<kInstallHook>()) install(m_hWnd);
}

void CDlgMacroSetting::RemoveHook() {
    if (const RemoveHookFn remove = m_Hook.Entry<kRemoveHook>()) remove();
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
        case MacroRecorder::KeyResult::Left:
            // Escape twice: the recording ends as Stop ends it.
            ShowLists();
            AfterRecordingStopped();
            return 0;
        case MacroRecorder::KeyResult::Full:
            // A full macro ends the recording as Stop does (without a closing delay:
            // there is no room for one). The user is still typing: the focus leaves
            // Record, so that the next Space does not start a new recording.
            AfterRecordingStopped();
            ::SetFocus(m_EventList.m_hWnd);
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
    m_EventList.ShowLines(m_Lists.EventLines, m_Lists.Rows());
    m_DelayList.ShowLines(m_Lists.DelayLines, m_Lists.Rows());
    m_EventList.SetTopIndex(m_Lists.Top);
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
    m_EventList.ShowNewLines(m_Lists.EventLines, m_Lists.Rows());
    m_DelayList.ShowNewLines(m_Lists.DelayLines, m_Lists.Rows());
    m_EventList.SetTopIndex(m_Lists.Top);
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
    m_DelayList.MarkPartnerRow(line);
    m_States.EventLineSelected(line, m_EventList.Lines());
    ShowButtonStates();
}

void CDlgMacroSetting::Tell(const std::wstring& text) { ::MessageBoxW(m_hWnd, text.c_str(), kCaption, MB_OK); }

int CDlgMacroSetting::Ask(const UiText& text, UINT buttons) {
    return ::MessageBoxW(m_hWnd, m_App.Text(text).c_str(), kCaption, buttons | MB_ICONQUESTION);
}

bool CDlgMacroSetting::HasUnsavedChanges() const {
    return !m_strMacroName.empty() && !SameContent(m_Macro, m_Saved);
}

void CDlgMacroSetting::OnCancel() {
    if (HasUnsavedChanges()) {
        // The recording ends first: the keys that answer the question are not steps.
        EndRecording();
        switch (Ask(kMacroCloseUnsaved, MB_YESNOCANCEL)) {
            case IDYES:
                if (!SaveCurrent()) return;  // the failure was told; the window stays
                break;
            case IDNO:
                break;
            default:
                return;
        }
    }
    EndRecording();
    CDialog::OnCancel();
}

// ----- buttons ---------------------------------------------------------------------

// The lists' and the delay boxes' notices; the buttons run their own clicks.
BOOL CDlgMacroSetting::OnCommand(WPARAM wParam, LPARAM lParam) {
    const HWND from = reinterpret_cast<HWND>(lParam);
    if (from && !m_bShowingLists) {
        const UINT code = HIWORD(wParam);
        if (from == m_EventList.m_hWnd && code == LBN_SELCHANGE) OnEventSelected();
        if (from == m_DelayList.m_hWnd && code == LBN_SELCHANGE) OnDelaySelected();
        if (from == m_DelayValue.m_hWnd && code == EN_SETFOCUS) EndRecording();
        if (from == m_DefaultDelay.m_hWnd && code == EN_CHANGE)
            m_Macro.DefaultDelayValue = ParseDecimal(m_DefaultDelay.GetWindowText());
    }
    return CSkinDialog::OnCommand(wParam, lParam);
}

bool CDlgMacroSetting::SaveCurrent() {
    if (m_strMacroName.empty()) return true;
    const MacroFileResult r = SaveMacroByName(m_strMacroFolder, m_strMacroName, m_Macro, m_MacroNames);
    if (r.ok()) {
        MarkSaved();
        return true;
    }
    Tell(MacroFileText(m_App, r));
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
        Tell(MacroFileText(m_App, r));
        return;
    }
    MarkSaved();
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
    const std::optional<std::wstring> file = AskFilePath(MacroFileChoice(m_App, m_hWnd, StartFolder(), L"*.ini", true));
    if (!file) return;
    const MacroFileResult r = ImportMacroFile(m_strMacroFolder, *file, m_Macro, m_MacroNames);
    if (!r.ok()) {
        if (const std::wstring text = MacroFileText(m_App, r); !text.empty()) Tell(text);
        return;
    }
    MarkSaved();
    ShowName(r.name);
    ShowDelayFlags();
    ShowDefaultDelay();
    RebuildLists(m_Macro, m_CommandNames, m_Lists);
    ShowLists();
}

void CDlgMacroSetting::OnExport() {
    EndRecording();
    if (const std::optional<std::wstring> file =
            AskFilePath(MacroFileChoice(m_App, m_hWnd, StartFolder(), L".ini", false))) {
        const MacroFileResult r = ExportMacroFile(*file, m_Macro);
        if (r.code == MacroFileResult::WriteFailed) Tell(MacroFileText(m_App, r));
    }
    RefillMacroNameList(m_strMacroFolder, m_MacroNames);
}

void CDlgMacroSetting::OnDeleteMacro() {
    EndRecording();
    CloseNameMenu();
    if (m_strMacroName.empty()) return;
    // Deleting cannot be undone: the file goes, and no backup keeps it.
    if (Ask(kMacroDeleteAsk, MB_YESNO | MB_DEFBUTTON2) != IDYES) return;
    // By name: the list may have been refilled since the macro became current.
    const MacroFileResult r = DeleteMacro(m_strMacroFolder, m_strMacroName, m_Macro, m_MacroNames);
    if (!r.ok()) {
        Tell(MacroFileText(m_App, r));
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
    // A new recording empties the macro: a macro with steps is not emptied by a
    // stray click or Space without the user's word.
    if (!m_Recorder.IsRecording() && m_Macro.ValidCount() > 0 &&
        Ask(kMacroRecordOver, MB_YESNO | MB_DEFBUTTON2) != IDYES)
        return;
    RemoveHook();
    InstallHook();
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
    // The inserted command stays selected, so the line buttons act on it.
    SelectEventLine(line);
}

void CDlgMacroSetting::OnNameButton() {
    EndRecording();
    if (m_NameMenu.Has()) {
        CloseNameMenu();
        return;
    }
    // The button's tooltip would show over the menu that opens below it: it
    // stays quiet until the menu is gone.
    if (HWND tip = Button(B_NAME).GetTooltip()) {
        ::SendMessageW(tip, TTM_POP, 0, 0);
        ::SendMessageW(tip, TTM_ACTIVATE, FALSE, 0);
    }
    m_NameMenu.Open(std::make_unique<CDlgMacroNameMenu>(m_App, *this, m_MacroNames),
                    BelowButton(Button(B_NAME).m_hWnd));
}

void CDlgMacroSetting::CloseNameMenu() {
    if (!m_NameMenu.Has()) return;
    m_NameMenu.Close();
    if (HWND tip = Button(B_NAME).GetTooltip()) ::SendMessageW(tip, TTM_ACTIVATE, TRUE, 0);
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
    ChooseCommand(static_cast<int>(menu.DoModal()));
}

void CDlgMacroSetting::ChooseCommand(int command) {
    m_nCommand = command >= 0 && command < MACRO_COMMAND_COUNT ? command : -1;
    ShowCommand();
}

void CDlgMacroSetting::OnMacroPicked(int index) {
    if (!m_NameMenu.Has()) return;  // a late message from a menu already gone
    CloseNameMenu();
    if (index < 0 || index >= static_cast<int>(m_MacroNames.size())) return;
    const std::wstring name = m_MacroNames[static_cast<size_t>(index)];
    if (!CheckMacroName(m_strMacroFolder, name)) return;  // a file listed under a name that cannot be opened
    ShowName(name);
    LoadMacroFile(MacroFilePathOf(m_strMacroFolder, name), m_Macro);
    MarkSaved();
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
    const int line = m_EventList.SelectedLine();
    if (line < 0) m_EventList.SetCurSel(-1);  // an empty row beside a delay
    m_DelayList.MarkPartnerRow(line);
    m_EventList.MarkPartnerRow(-1);
    m_States.EventLineSelected(line, m_EventList.Lines());
    ShowButtonStates();
}

void CDlgMacroSetting::OnDelaySelected() {
    if (m_Recorder.IsRecording()) return;
    m_EventList.SetCurSel(-1);
    const int line = m_DelayList.SelectedLine();
    if (line < 0) m_DelayList.SetCurSel(-1);
    m_EventList.MarkPartnerRow(line);
    m_DelayList.MarkPartnerRow(-1);
    m_States.DelayLineSelected(line >= 0);
    ShowButtonStates();
}

BOOL CDlgMacroSetting::PreTranslateMessage(MSG* msg) {
    // While the hook records, every key typed is a key of the macro and nothing
    // else: Space or Enter must not press the focused button (Record again would
    // start over), Tab must not move the focus (into the delay box, which ends
    // the recording), and system keys (Alt+F4, Alt+Space, F10) are recorded,
    // never acted on. Escape twice in a row is the way out (OnMacroKey).
    if (m_Recorder.IsRecording() && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) return TRUE;
    if (IsEnterOrEscKey(msg)) return FALSE;
    if (msg->message == WM_MACRONAME_PICKED && msg->hwnd == m_hWnd) {
        OnMacroPicked(static_cast<int>(msg->wParam));
        return TRUE;
    }
    return CSkinDialog::PreTranslateMessage(msg);
}

void CDlgMacroSetting::OnLButtonDown(UINT flags, POINT pt) {
    CloseNameMenu();
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
    CloseNameMenu();
    m_Hook.Reset();
    CSkinDialog::OnDestroy();
    m_ListBrush.Reset();
}

}  // namespace zavo
