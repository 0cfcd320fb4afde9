// CDlgMacroSetting: the macro editor. The user creates, picks, imports, exports
// and deletes macro files of the macro folder, records a macro from the real
// keyboard through KBHook.dll, and edits its steps and delays. The current
// macro is known by its name (shown on the name button); the window keeps its
// own list of the folder's macro names.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "macro/EditorButtons.h"
#include "macro/MacroLists.h"
#include "macro/MacroModel.h"
#include "macro/MacroRecorder.h"
#include "macroeditor/MacroListBox.h"
#include "platform/Win32Handle.h"
#include "skin/BitmapBtn.h"
#include "skin/ListMenu.h"
#include "skin/SkinWindows.h"
#include "skin/SkinnedDialog.h"

namespace zavo {

// The keyboard hook's report: wParam = virtual-key code, lParam = 0 press.
constexpr UINT WM_MACRO_KEY = 1034;

class CDlgMacroSetting : public CSkinDialog {
public:
    static constexpr UINT IDD = 135;
    static constexpr int BUTTON_COUNT = MACRO_EDITOR_BUTTONS;

    explicit CDlgMacroSetting(const AppContext& app, CWnd* owner = nullptr);

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void DoDataExchange(CDataExchange* dx) override;
    // Cancel, Alt+F4 and every other close: asks first when the macro has
    // changes that are not saved.
    void OnCancel() override;
    // Alt+F4 and the system menu's Close: as Cancel.
    void OnClose() override { OnCancel(); }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Button "n" of the skin (1..21).
    CBitmapBtn& Button(int n) { return m_Buttons[static_cast<size_t>(n - 1)]; }

    const MacroRecording& Macro() const { return m_Macro; }
    const std::wstring& CurrentName() const { return m_strMacroName; }
    const std::vector<std::wstring>& MacroNames() const { return m_MacroNames; }
    bool IsRecording() const { return m_Recorder.IsRecording(); }
    bool HookLoaded() const { return static_cast<bool>(m_Hook); }
    int Command() const { return m_nCommand; }
    // The command menu's result: command 0..21 becomes the chosen one, anything
    // else chooses none.
    void ChooseCommand(int command);
    // The macro differs from what was last saved, loaded or created.
    bool HasUnsavedChanges() const;

    CMacroListBox m_EventList, m_DelayList;
    CNamedEdit m_DelayValue, m_DefaultDelay;

protected:
    std::wstring SkinFile() const override { return L"MacroSetting.ini"; }
    std::vector<SkinButtonSpec> SkinButtons() override;
    bool KeyboardReady() const override { return true; }
    void OnLButtonDown(UINT flags, POINT pt) override;
    void OnDestroy() override;
    void OnTimer(UINT_PTR id) override;
    HBRUSH OnCtlColor(HDC dc, HWND child, UINT ctlType) override;

private:
    using InstallHookFn = BOOL(__cdecl*)(HWND);
    using RemoveHookFn = BOOL(__cdecl*)();

    // The hook module with both entry points, or nothing.
    void LoadHook();
    void InstallHook();
    void RemoveHook();
    // Ends a recording without the closing delay: the hook goes, Record is
    // released and Stop disabled.
    void EndRecording();
    // After Stop or a full macro: as EndRecording, and the command buttons go.
    void AfterRecordingStopped();

    void OnOkButton();
    bool SaveCurrent();
    // The macro as its file now holds it: unsaved changes are measured from here.
    void MarkSaved() { m_Saved = m_Macro; }
    // A question with Yes and No (and Cancel when asked): the button chosen.
    int Ask(const UiText& text, UINT buttons);
    // Sizes and colours of the two lists.
    void SetUpLists();
    void PlaceOwnControls() override;
    void OnNewMacro();
    void OnImport();
    void OnExport();
    void OnDeleteMacro();
    void OnRecord();
    void OnStop();
    void OnDeleteLine();
    void OnMoveLine(bool up);
    void OnApplyDelay();
    void OnInsertCommand();
    void OnNameButton();
    // Closes the macro name menu when it is open; the name button's tooltip shows again.
    void CloseNameMenu();
    void OnStepDelay(bool up);
    void OnIgnoreDelay();
    void OnDefaultDelay();
    void OnCommandMenu();
    void OnMacroPicked(int index);
    void OnEventSelected();
    void OnDelaySelected();
    LRESULT OnMacroKey(WPARAM vk, LPARAM releaseFlag);

    // The list boxes show m_Lists: all of them, or only lines added since.
    void ShowLists();
    void ShowNewLines();
    // Turns the lists' redraw back on and paints them, when ShowNewLines left it off.
    void EndDeferredPaint();
    void ShowName(const std::wstring& name);
    void ShowCommand();
    void ShowDelayFlags();
    void ShowDefaultDelay();
    // Enables and disables the buttons and the delay box as m_States says.
    void ShowButtonStates();
    void SelectEventLine(int line);
    void Tell(const std::wstring& text);
    std::wstring StartFolder() const;

    std::array<CBitmapBtn, BUTTON_COUNT> m_Buttons;
    MacroRecording m_Macro;
    MacroRecording m_Saved;
    ScopedFont m_ListFont;
    MacroEditorButtons m_States;
    MacroLists m_Lists;
    CommandNames m_CommandNames;
    MacroRecorder m_Recorder;
    std::wstring m_strMacroFolder;
    std::vector<std::wstring> m_MacroNames;
    std::wstring m_strMacroName;
    int m_nCommand = -1;
    static constexpr std::size_t kInstallHook = 0, kRemoveHook = 1;
    ModuleEntries<InstallHookFn, RemoveHookFn> m_Hook;
    ScopedBrush m_ListBrush;
    ListMenuHolder m_NameMenu;
    bool m_bShowingLists = false;
    bool m_bPaintDeferred = false;
    static constexpr UINT_PTR kListPaintTimer = 1;
    static constexpr UINT kListPaintMs = 40;
};

}  // namespace zavo
