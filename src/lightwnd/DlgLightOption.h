// CDlgLightOption: the lighting window. The user picks one of seven lighting
// styles, one of five light profiles, and which zones of the keyboard the
// active light profile lights.
//
// The main window owns the one object of the run and shows it modally each
// time. It edits the main window's lighting hand-over (LightExchange, by
// reference): the caller fills it before each opening and takes it back after
// result 1 (IDOK). Every zone change is written to the light state file at
// once, whatever the result, and the flags a zone button sets at once always
// equal the zones shown. Apply and OK derive the other flags from the zones
// shown; Apply, while the device service runs, posts WM_LIGHT_CHANGED to the
// owner, which saves and has the service apply them while the window stays
// open. Close after an apply hands back exactly what was applied.
//
// The device service finds the window by its title "ZVLight" and drives it
// with WM_LIGHT_SYNC (style or light profile) and WM_LIGHT_RELOAD (re-read the
// lighting values); requests outside their range change nothing. A reload
// takes the values that changed in the file and shows them, light profile and
// zones included; the values the user changed and the file did not keep the
// user's choice.
#pragma once
#include <array>

#include "config/KeyboardConfig.h"
#include "light/LightZoneBoard.h"
#include "service/ServiceLink.h"
#include "skin/BitmapBtn.h"
#include "skin/KeyMapWnd.h"
#include "skin/SkinnedDialog.h"

namespace zavo {

class CDlgLightOption : public CSkinDialog, private CKeyMapWnd::Owner {
public:
    static constexpr UINT IDD = 137;
    static constexpr int STYLE_COUNT = LIGHT_STYLE_MAX + 1;
    // The number the "off" style button ("38") passes; it stores style 0.
    static constexpr std::int32_t STYLE_OFF_BUTTON = 7;

    // `exchange` and `service` belong to the main window and outlive this
    // object; `owner` receives WM_LIGHT_CHANGED (the application's main window
    // when null).
    CDlgLightOption(const AppContext& app, LightSettings& exchange, const ServiceLink& service, CWnd* owner = nullptr);

    // The lighting values being edited: the caller's hand-over.
    LightSettings& LightExchange;
    // Set by Apply; cleared when the window opens.
    BOOL m_bApplied = FALSE;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Handlers of the device service's two messages; both return 1.
    LRESULT OnLightSync(WPARAM w, LPARAM l);
    LRESULT OnLightReload();
    // The lighting values of Config.config changed to `stored` while the window
    // is open: the values that changed are taken and shown.
    void TakeReloadedLight(const LightSettings& stored);

    // Zones of an import that waits for the main window's apply, for light
    // profile `lightProfile`: shown for it, and written by the user's first
    // change of that profile, by Apply or by OK (set before the opening).
    void SetPendingZones(std::int32_t lightProfile, const LightZoneStates& zones) {
        m_Board.SetPending(lightProfile, zones);
    }
    void ClearPendingZones() { m_Board.ClearPending(); }
    // Whether this opening wrote the pending zones (they no longer wait).
    bool PendingZonesStored() const { return m_Board.PendingStored(); }

    // The zone states shown.
    const LightZoneBoard& Board() const { return m_Board; }

    // Style buttons by style number 0..6 ("38", "1".."4", "17", "37").
    std::array<CBitmapBtn, STYLE_COUNT> m_btnStyle;
    // Light profile buttons 1..5 ("32".."36"), index profile - 1.
    std::array<CBitmapBtn, LIGHT_PROFILE_COUNT> m_btnProfile;
    // Zone buttons by LightZone.
    std::array<CBitmapBtn, LIGHT_ZONE_COUNT> m_btnZone;
    // The zones as one control for the keyboard and screen readers: element
    // ZoneIndex(z) + 1 is zone z; the zone buttons stay what the mouse clicks.
    CKeyMapWnd m_ZoneMap;
    CBitmapBtn m_btnOk;     // "6"
    CBitmapBtn m_btnClose;  // "7"
    CBitmapBtn m_btnApply;  // "8"

protected:
    std::wstring SkinFile() const override { return L"LightOption.ini"; }
    std::vector<SkinButtonSpec> SkinButtons() override;
    bool KeyboardReady() const override { return true; }

private:
    // Names the buttons that show no tooltip, for screen readers: the styles
    // and light profiles in the current language, the zones by the legend the
    // skin gives them. A name set as the window text is never drawn.
    void NameButtons();
    // Lays the zone map over the zone buttons, which leave the Tab order.
    void CreateZoneMap();

    // CKeyMapWnd::Owner: key k is zone k (LightZone order).
    std::wstring KeyName(int key) const override;
    bool KeyEnabled(int key) const override;
    bool KeySelected(int key) const override;
    void PressKey(int key) override;
    void FocusMarkMoved(const SkinRect& before, const SkinRect& after) override;
    // Style s: 1..6 latch that style's button, 0 and 7 the "off" button (other
    // numbers leave the buttons); LightStyle becomes s, or 0 for 7 and above.
    void SelectStyle(std::int32_t s);
    // Light profile p: LightMode becomes p (1 for 0 and below), its button is
    // latched when it has one (1..5), and the zones of that light profile are
    // shown.
    void SelectProfile(std::int32_t p);
    // The zone buttons show the board's states, and the flags set at once follow.
    void ShowZones();
    void OnZoneClick(LightZone zone);
    void OnApply();
    void OnOk();
    void OnClose();
    // The pending zones written and the flags derived from the zones shown.
    std::uint32_t TakeShown();
    // A zone write that failed is told to the user; the screen keeps the
    // state, which the next successful write of that zone stores.
    void ReportZoneWrite(const IniFileStatus& written);

    const ServiceLink& m_Service;
    LightZoneBoard m_Board;
    // The lighting values as Config.config held them at the last look (opening,
    // apply, reload): a reload takes only what differs from them.
    LightSettings m_Stored;
    // What the last apply of this opening handed over.
    LightSettings m_Applied;
};

}  // namespace zavo
