// CZAVOConfigDlg: the main window. It owns the edit session of the run (the
// configuration and what its next save owes, EditSession), shows the on-screen
// keyboard of the active profile, runs the commands, and reacts to its timers
// and to the device service.
//
// The class is split by concern:
//   MainDlg.cpp       creation, initialisation, key filtering, status and indicator
//   MainLayout.cpp    the skinned layout, painting, and the key buttons' states
//   MainCommands.cpp  the command buttons: profiles, modes, apply, reset, exits
//   MainAssign.cpp    picking keys and routing the assignment buttons
//   MainTimers.cpp    blink and cursor poll, service notifications and requests
//   MainBackups.cpp   the system menu: restore earlier settings, export and import a profile
//   MainOutsideChanges.cpp  the question before a save over files another program changed
//   MainKeyMap.cpp    the keys as one control for the keyboard and screen readers
// What the keyboard shows is decided by KeyboardView, what a save owes by
// EditSession (both portable, tested natively).
#pragma once
#include <array>
#include <memory>
#include <string>

#include "app/AppContext.h"
#include "config/ConfigStore.h"
#include "config/KeyboardConfig.h"
#include "config/SettingsStamps.h"
#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "framework/WinApp.h"
#include "mainwnd/EditSession.h"
#include "mainwnd/KeyboardView.h"
#include "service/ServiceLink.h"
#include "skin/BitmapBtn.h"
#include "skin/KeyMapWnd.h"
#include "skin/KeyPad.h"
#include "skin/RgnWnd.h"
#include "skin/SkinEntry.h"
#include "skin/SkinWindows.h"
#include "skin/SkinnedDialog.h"

// The identifiers of the executable's resources (template, icon, indicators).
#include "resource.h"

namespace zavo {

// Timers of the main window.
constexpr UINT_PTR TIMER_BLINK = 11026;
constexpr UINT BLINK_PERIOD_MS = 500;
constexpr UINT_PTR TIMER_HOVER = 841233;
constexpr UINT HOVER_PERIOD_MS = 70;

// The registered message "ZAVOConfig.HoverPollRuns": the main window answers it
// with the number of cursor polls that found the mouse moved.
UINT HoverRunsQueryMessage();

class CDlgLoading;
class CDlgLightOption;

// The main window's own items of its system menu (below 0xF000, multiples of 16
// as the system's items are).
constexpr UINT IDM_RESTORE_SETTINGS = 0x0110;
constexpr UINT IDM_EXPORT_PROFILE = 0x0120;
constexpr UINT IDM_IMPORT_PROFILE = 0x0130;
constexpr UINT IDM_APP_PROFILES = 0x0140;

class CZAVOConfigDlg : public CSkinDialog, private KeySurface, private CKeyMapWnd::Owner {
public:
    // `app` is the context of the run; it outlives the window.
    explicit CZAVOConfigDlg(const AppContext& app);
    ~CZAVOConfigDlg() override;

    // The face picture the window could not be shown without, when it ended
    // at opening for that reason ("" otherwise).
    const std::wstring& UnreadableFace() const { return m_UnreadableFace; }

    // The face of the status line and the version box: no name, so that the
    // system locale's default face draws the language module's texts; its
    // height made for `dpi`.
    static ScopedFont CreateStatusFont(UINT dpi = kBaseDpi);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // Closing the window (Alt+F4, the system menu's Close): with changes not
    // applied it asks first whether to apply them, drop them or stay.
    void OnCancel() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC dc) override;
    HCURSOR OnQueryDragIcon() override;
    void OnSysCommand(UINT id, LPARAM lParam) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    void PlaceOwnControls() override;
    void OnMouseMove(UINT flags, POINT pt) override;
    void OnMouseLeave() override;
    void OnLButtonDown(UINT flags, POINT pt) override;
    void OnLButtonDblClk(UINT flags, POINT pt) override;
    void OnLButtonUp(UINT flags, POINT pt) override;
    void OnCaptureChanged(HWND newCapture) override;

    // Handler of WM_SERVICE_NOTIFY; returns 1.
    LRESULT OnMessageProcessFun(WPARAM wParam, LPARAM lParam);

protected:
    std::wstring SkinFile() const override { return MAIN_SKIN_FILE; }
    void CreateButtons(const SkinFace& face, const FaceSet& looks) override;
    bool KeepsLooks() const override { return true; }
    bool KeyboardReady() const override { return true; }

private:
    // ----- MainDlg.cpp
    bool SettleUnappliedBeforeClosing();
    // Takes the indicator pictures drawn for display scale `percent`; called
    // again with the new scale when the window's scale changes.
    void LoadIndicators(int percent);
    // Where the indicator is drawn (client pixels), at the pictures' scale.
    RECT IndicatorPlace() const;
    void PaintIndicator(HDC dc) const;
    // Draws everything the window shows over `area` (client coordinates) into
    // `dc`: the face, the keys, the indicator and the texts.
    void ComposeArea(HDC dc, const RECT& area);
    // The most rows one band of a paint composes off-screen.
    static constexpr int kPaintBand = 64;
    void ShowIndicator(Indicator which);
    // Shows `text`, the text of an action, on the status line; it ends a
    // notice that held the line.
    void ShowStatus(const std::wstring& text);
    // Shows `text` as the action's text and holds the line: the mouse moving
    // over keys does not replace it until the next action.
    void ShowNotice(const std::wstring& text);
    // Puts `text` on the status button "11" and redraws it at once.
    void PaintStatus(const std::wstring& text);
    // The shared step "clear the status text".
    void ClearStatusText();
    CBitmapBtn& Button(int key) { return m_Buttons[static_cast<size_t>(key - 1)]; }

    // ----- MainLayout.cpp
    void CreateKeys(const SkinFace& face);
    // Makes the Enter region button from the pictures "<pictures>_normal.bmp",
    // "_over", "_down" and "_disabled".
    void CreateEnterButton(const std::wstring& pictures);
    void SetEnterImages(EnterLook look);
    bool HasEnterRegion() const override;
    void SetTKeyLatched(int index, bool latched) override;
    void SetTKeyEnabled(int index, bool enabled) override;
    void SetKeyLatched(int index, bool latched) override;
    void SetKeyEnabled(int index, bool enabled) override;
    void SetEnterLook(EnterLook look) override;
    void SetEnterEnabled(bool enabled) override;
    void SetCommandLatched(int key, bool latched) override;
    void SetCommandEnabled(int key, bool enabled) override;
    void StartBlink() override;
    void StopBlink() override;

    // ----- MainKeyMap.cpp
    // Lays the keyboard control over the keys at `places` (by key index).
    void CreateKeyMap(std::vector<SkinRect> places);
    void PaintKeyFocus(HDC dc) const;
    std::wstring KeyName(int key) const override;
    bool KeyEnabled(int key) const override;
    bool KeySelected(int key) const override;
    void PressKey(int key) override;
    void FocusMarkMoved(const SkinRect& before, const SkinRect& after) override;

    // ----- MainCommands.cpp
    // The shared step "apply": save, then the loading dialog applies the profile.
    // False when the save failed (reported; nothing is sent, edits are kept).
    bool Apply();
    // SaveConfiguration; a failure is shown to the user naming the file and why.
    bool Save();
    void ReportWriteFailure(const IniFileStatus& result);
    void RunLoadingDialog();
    void OnApply();
    void OnOkAndExit();
    void OnSelectProfile(int profile);
    void OnSelectMode(int mode);
    void OnReset();
    // False when the save failed (reported).
    bool ResetActiveProfile();
    void RestoreLightingDefaults();
    void OnWebSite();
    void OnHelp();
    void OnMacroEditor();
    void OnInstantShift();
    void SendLightApply(std::intptr_t lParam);
    // Writes the mode into Config.config when that file exists.
    void StoreModeIfConfigExists();

    // ----- MainAssign.cpp
    // What an assignment dialog was opened for. Its result lands only when the
    // same profile and key are still selected and nothing was reloaded while it
    // was open (a service notification can reload the profiles meanwhile).
    struct AssignTarget {
        int profile, slot, key, tkey;
        unsigned reloads;
    };
    AssignTarget CurrentTarget() const;
    // False, saying so in the status text, when the target is gone.
    bool StillTarget(const AssignTarget& target);
    // A click on key `key` of the on-screen keyboard (see m_KeyPad).
    void RunKey(int key);
    void OnPickTKey(int index);
    void OnPickStandardKey(int k);
    void OnAssignMacro();
    void OnAssignClear();
    void OnAssignSingleKey();
    void OnAssignApplication();

    // ----- MainBackups.cpp
    void AddSystemMenuItems();
    void OnRestoreSettings();
    void OnExportProfile();
    void OnImportProfile();
    // Shows the profile and lighting after a restore or import replaced them.
    void ShowReplacedSettings();
    // After a successful save: what the session owed it (a restore's kept files,
    // an import's zone states). False when the zones could not be written (reported).
    bool FinishSavedSession();
    // Once per run, the first backup that could not be made is said in the
    // status text (the save went on).
    void NoteBackupOutcome(const backup::KeepOutcome& kept);

    // ----- MainOutsideChanges.cpp
    // Keeps the stamps of the settings files as they are now (after a load or a save).
    void NoteSettingsTaken();
    // True when the files are as the window last had them, or the user chose
    // to save over another program's change; false when the user reloaded the
    // files or cancelled (nothing is to be saved then).
    bool MayOverwriteSettings();
    // The question: reload, keep mine (their button ids) or IDCANCEL.
    int AskAboutOutsideChange(const std::vector<std::wstring>& files);

    // ----- MainTimers.cpp
    void OnBlinkTimer();
    void OnHoverTimer();
    void ShowHover(const HoverOutcome& outcome);
    void OnServiceCommand(WPARAM code);
    void ReloadAll();
    void ReloadConfigFile();
    void OnModeNotified(int mode);

    // ----- MainLighting.cpp
    // The lighting is one setting for the whole keyboard and is saved when it is
    // chosen (OK or a live apply of the lighting window), alone: key and
    // instant-shift edits keep waiting for APPLY, and an unapplied import's
    // zones give way to what the user picks in the window.
    void OnLighting();
    void OnLightChanged();
    // NOTIFY_LIGHT: the service changed the lighting values of Config.config.
    void ReloadLighting();
    // Saves keyboard_config.Light alone. False when that failed (reported; the
    // lighting then stays marked as modified, for the next APPLY).
    bool SaveLighting();
    bool LightingWindowOpen() const;
    // keyboard_config.Light was read again: to the hand-over, or to the open
    // lighting window as a change it shows.
    void HandOverReloadedLight();

    // Members, in the order of their roles.
    HICON m_hIcon = nullptr;  // a shared resource icon: never destroyed
    std::wstring m_strVersion;
    // Command buttons by their key "1".."22" (index key - 1).
    std::array<CBitmapBtn, cmd::COUNT> m_Buttons;
    CRgnButton m_EnterButton;
    // The Enter key's pictures, resolved once: at rest, under the mouse, lit
    // and dimmed.
    struct EnterPictures {
        std::wstring normal, over, lit, dimmed;
    } m_EnterPictures;
    RECT m_rcEnter{};
    // The T-keys and standard keys, drawn by the window: T-key i is key i,
    // standard key k is key TKEY_COUNT + k (the Enter key too, without area
    // when it is the region button).
    KeyPad m_KeyPad;
    // The keys' legends, by the same index, and the control over them.
    std::vector<std::wstring> m_KeyLegends;
    CKeyMapWnd m_KeyMap;
    std::wstring m_UnreadableFace;
    // The configuration being edited and what its next save owes.
    EditSession m_Session;
    // The text of the last action on the status line (the cursor poll may show
    // a key's assignment in its place for a while).
    std::wstring m_strStatus;
    std::unique_ptr<KeyboardView> m_pView;
    ServiceLink m_Service;
    // The one loading dialog of the run, reused for every apply.
    std::unique_ptr<CDlgLoading> m_pLoading;
    // The lighting values handed to the lighting window and taken back after
    // each live change; filled at start and at every reload.
    LightSettings m_LightExchange;
    // The one lighting window of the run; it edits m_LightExchange.
    std::unique_ptr<CDlgLightOption> m_pLightOption;
    // The four indicator pictures (resources 143 to 146 at the scale
    // m_IndicatorScale), by Indicator; the window draws the one of
    // m_ShownIndicator at IndicatorPlace().
    std::array<ScopedBitmap, 4> m_Indicators;
    int m_IndicatorScale = 0;
    EnterLook m_EnterLook = EnterLook::Default;
    bool m_bEnterCreated = false;
    bool m_bBlinking = false;
    Indicator m_ShownIndicator = Indicator::Default;
    std::wstring m_strShownStatus;
    // The status line holds a notice until the next action (see ShowNotice).
    bool m_bStatusHeld = false;
    POINT m_ptLastPoll{0, 0};
    unsigned m_nHoverRuns = 0;
    // Counts the reloads of the settings files (service notifications).
    unsigned m_nReloads = 0;
    // A status text shown at the next clearing of the status text, once.
    std::wstring m_strPendingNotice;
    // The settings files as the window last read or wrote them.
    SettingsStamps m_SettingsTaken;
    ScopedFont m_TextFont;
};

}  // namespace zavo
