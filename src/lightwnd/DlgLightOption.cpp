#include "lightwnd/DlgLightOption.h"

#include <algorithm>
#include <cwchar>

#include "app/FailureText.h"
#include "app/UiTexts.h"
#include "config/ConfigStore.h"
#include "light/LightStateFile.h"
#include "platform/FileSystem.h"
#include "service/ServiceCodes.h"
#include "skin/SkinWindows.h"
#include "skin/TabOrder.h"

namespace zavo {

namespace {

constexpr int LANG_APPLY = 7;
constexpr int LANG_CLOSE = 8;
constexpr int LANG_OK = 9;
constexpr int LANG_LIGHT_PROFILE = 48;

// Skin keys of the style buttons by style number 0..6.
const wchar_t* const kStyleKeys[CDlgLightOption::STYLE_COUNT] = {L"38", L"1", L"2", L"3", L"4", L"17", L"37"};
// Skin keys of the zone buttons by LightZone.
const wchar_t* const kZoneKeys[LIGHT_ZONE_COUNT] = {
    L"27", L"31", L"28", L"25", L"30", L"29", L"19", L"13", L"26",  // W, AS, D, Q, ER, F, 1To6, OneTo0, BackSpace
    L"20", L"21", L"22", L"23", L"24",                              // PINYIN1..5
    L"9",  L"10", L"16", L"15",                                     // T1..T5, T6..T10, number pad, direction keys
};

}  // namespace

CDlgLightOption::CDlgLightOption(const AppContext& app, LightSettings& exchange, const ServiceLink& service,
                                 CWnd* owner)
    : CSkinDialog(IDD, app, owner), LightExchange(exchange), m_Service(service) {}

std::vector<SkinButtonSpec> CDlgLightOption::SkinButtons() {
    // The button of a skin key and what its click runs.
    auto specOf = [this](const std::wstring& key) -> SkinButtonSpec {
        const TooltipSource none = TooltipSource::Fixed(L"");  // no tooltip
        if (key == L"6") return {key, &m_btnOk, TooltipSource::Lang(LANG_OK), [this] { OnOk(); }};
        if (key == L"7") return {key, &m_btnClose, TooltipSource::Lang(LANG_CLOSE), [this] { OnClose(); }};
        if (key == L"8") return {key, &m_btnApply, TooltipSource::Lang(LANG_APPLY), [this] { OnApply(); }};
        for (int s = 0; s < STYLE_COUNT; ++s)
            if (key == kStyleKeys[s])
                return {key, &m_btnStyle[static_cast<size_t>(s)], none,
                        [this, s] { SelectStyle(s == 0 ? STYLE_OFF_BUTTON : s); }};
        for (int p = 1; p <= LIGHT_PROFILE_COUNT; ++p)
            if (key == std::to_wstring(31 + p))
                return {key, &m_btnProfile[static_cast<size_t>(p - 1)], none, [this, p] { SelectProfile(p); }};
        for (LightZone z : AllLightZones())
            if (key == kZoneKeys[ZoneIndex(z)])
                return {key, &m_btnZone[static_cast<size_t>(ZoneIndex(z))], none, [this, z] { OnZoneClick(z); }};
        return {key, nullptr, none, nullptr};
    };
    std::vector<SkinButtonSpec> buttonList;
    buttonList.reserve(std::size(LIGHT_WINDOW_BUTTONS));
    for (const wchar_t* key : LIGHT_WINDOW_BUTTONS) buttonList.push_back(specOf(key));
    return buttonList;
}

BOOL CDlgLightOption::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    // A style outside 0..6 (-1 when missing) is shown and stored as 1; every
    // style in range has its button and stays.
    LightExchange.LightStyle = LightStyleOnOpen(LightExchange.LightStyle);
    SelectStyle(LightExchange.LightStyle);
    NameButtons();
    CreateZoneMap();
    m_Board.Load(LightStateFilePath(m_App.dataFolder), FactoryLightStatePath(m_App.SkinFolder()),
                 LightExchange.LightMode);
    SelectProfile(LightExchange.LightMode);
    m_Stored = LightExchange;
    const std::wstring config = ConfigFilePath(m_App.dataFolder);
    if (fs::FileExists(config)) ReadLightOption(config, m_Stored);
    m_bApplied = FALSE;
    SetWindowText(svc::LIGHT_WINDOW_TITLE);
    m_Service.Post(svc::SVC_LIGHT_WINDOW_OPEN, 0);
    return TRUE;
}

void CDlgLightOption::NameButtons() {
    const UiText* const styles[STYLE_COUNT] = {&kLightStyleOff,     &kLightStyleStatic,   &kLightStyleBreathing,
                                               &kLightStyleWave,    &kLightStyleReactive, &kLightStyleRipple,
                                               &kLightStyleSpectrum};
    for (int s = 0; s < STYLE_COUNT; ++s)
        m_btnStyle[static_cast<size_t>(s)].SetWindowText(m_App.Text(*styles[s]).c_str());
    for (int p = 1; p <= LIGHT_PROFILE_COUNT; ++p)
        m_btnProfile[static_cast<size_t>(p - 1)].SetWindowText(
            (m_App.LangText(LANG_LIGHT_PROFILE) + L" " + std::to_wstring(p)).c_str());
    // m_ButtonEntries holds the entries in the order of LIGHT_WINDOW_BUTTONS.
    const auto first = std::begin(LIGHT_WINDOW_BUTTONS), last = std::end(LIGHT_WINDOW_BUTTONS);
    for (LightZone z : AllLightZones()) {
        const auto at =
            std::find_if(first, last, [&](const wchar_t* key) { return wcscmp(key, kZoneKeys[ZoneIndex(z)]) == 0; });
        const size_t entry = static_cast<size_t>(at - first);
        if (entry < m_ButtonEntries.size())
            m_btnZone[static_cast<size_t>(ZoneIndex(z))].SetWindowText(m_ButtonEntries[entry].text.c_str());
    }
}

void CDlgLightOption::CreateZoneMap() {
    if (m_ZoneMap.m_hWnd) m_ZoneMap.DestroyWindow();
    std::vector<SkinRect> zones;
    for (LightZone z : AllLightZones()) {
        CBitmapBtn& button = m_btnZone[static_cast<size_t>(ZoneIndex(z))];
        RECT rc{};
        if (button.m_hWnd) {
            button.GetWindowRect(&rc);
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
            button.SetDescribedByMap(true);
        }
        zones.push_back(SkinRect{rc.left, rc.top, rc.right, rc.bottom});
    }
    if (!m_ZoneMap.Create(*this, std::move(zones), *this, m_App.Text(kLightZoneMap))) return;
    // A map made again after the window opened takes its place in the Tab order.
    ArrangeTabOrder(m_hWnd, FocusColour());
}

std::wstring CDlgLightOption::KeyName(int key) const { return m_btnZone[static_cast<size_t>(key)].GetWindowText(); }

bool CDlgLightOption::KeyEnabled(int key) const {
    const CBitmapBtn& button = m_btnZone[static_cast<size_t>(key)];
    return button.m_hWnd && button.IsWindowEnabled();
}

// A lit zone reads as selected.
bool CDlgLightOption::KeySelected(int key) const { return m_btnZone[static_cast<size_t>(key)].IsLatched(); }

void CDlgLightOption::PressKey(int key) { OnZoneClick(AllLightZones()[static_cast<size_t>(key)]); }

void CDlgLightOption::FocusMarkMoved(const SkinRect&, const SkinRect&) {
    const int marked = m_ZoneMap.MarkedKey();
    for (int k = 0; k < LIGHT_ZONE_COUNT; ++k) m_btnZone[static_cast<size_t>(k)].SetMarked(k == marked);
}

void CDlgLightOption::SelectStyle(std::int32_t s) {
    int latched = -1;
    if (s >= 1 && s <= LIGHT_STYLE_MAX) latched = s;
    if (s == 0 || s == STYLE_OFF_BUTTON) latched = 0;
    if (latched >= 0) {
        for (int i = 0; i < STYLE_COUNT; ++i) m_btnStyle[static_cast<size_t>(i)].SetLatched(i == latched);
    }
    LightExchange.LightStyle = s <= LIGHT_STYLE_MAX ? s : 0;
}

void CDlgLightOption::SelectProfile(std::int32_t p) {
    // 0 and below mean light profile 1: its button shows it, as its zones do.
    const std::int32_t mode = LightProfileOfMode(p);
    if (mode >= 1 && mode <= LIGHT_PROFILE_COUNT) {
        for (int i = 0; i < LIGHT_PROFILE_COUNT; ++i) m_btnProfile[static_cast<size_t>(i)].SetLatched(i + 1 == mode);
    }
    LightExchange.LightMode = mode;
    m_Board.SelectProfile(LightExchange.LightMode);
    ShowZones();
}

void CDlgLightOption::ShowZones() {
    for (LightZone z : AllLightZones()) {
        CBitmapBtn& button = m_btnZone[static_cast<size_t>(ZoneIndex(z))];
        const bool lit = m_Board.State(z) == 1;
        if (button.IsLatched() == lit) continue;
        button.SetLatched(lit);
        if (m_ZoneMap.m_hWnd) m_ZoneMap.KeyChanged(ZoneIndex(z));
    }
    m_Board.FlagsFollowZones(LightExchange);
}

void CDlgLightOption::ReportZoneWrite(const IniFileStatus& written) {
    if (written) return;
    const std::wstring text = m_App.Text(kLightZonesNotSaved) + L"\n\n" + FailureDetails(m_App, written) +
                              L"\n\n" + m_App.Text(kLightZonesSavedLater);
    ::MessageBoxW(m_hWnd, text.c_str(), L"ZAVOConfig", MB_OK | MB_ICONERROR);
}

void CDlgLightOption::OnZoneClick(LightZone zone) {
    IniFileStatus written;
    switch (zone) {
        case LightZone::Number:
            written = m_Board.ClickNumber(LightExchange);
            break;
        case LightZone::Direct:
            written = m_Board.ClickDirect(LightExchange);
            break;
        case LightZone::Tt1To5:
        case LightZone::Tt6To10:
            written = m_Board.ClickTKey(zone, LightExchange);
            break;
        default:
            written = m_Board.ClickLetterZone();
            break;  // the whole letter area, to the next preset
    }
    ShowZones();
    ReportZoneWrite(written);
}

std::uint32_t CDlgLightOption::TakeShown() {
    ReportZoneWrite(m_Board.StorePending());
    return m_Board.Apply(LightExchange);
}

void CDlgLightOption::OnApply() {
    const std::uint32_t mask = TakeShown();
    m_bApplied = TRUE;
    m_Applied = LightExchange;
    // Without the service nothing is sent: only a later OK or Close stores the values.
    if (!ServiceLink::IsRunning()) return;
    HWND owner = GetOwner();
    if (!owner) return;
    ::PostMessageW(owner, svc::WM_LIGHT_CHANGED, mask, static_cast<LPARAM>(LightExchange.LightStyle));
    m_Stored = LightExchange;
}

void CDlgLightOption::OnOk() {
    // What the window shows is what is stored, the letter area included.
    TakeShown();
    EndDialog(IDOK);
}

void CDlgLightOption::OnClose() {
    if (!m_bApplied) {
        EndDialog(IDCANCEL);
        return;
    }
    // Changes after the apply are dropped: the caller gets what was applied.
    LightExchange = m_Applied;
    EndDialog(IDOK);
}

BOOL CDlgLightOption::PreTranslateMessage(MSG* msg) {
    // Neither Enter nor Esc closes the window.
    if (IsEnterOrEscKey(msg)) return FALSE;
    return CSkinDialog::PreTranslateMessage(msg);
}

LRESULT CDlgLightOption::OnLightSync(WPARAM w, LPARAM l) {
    const LightSyncRequest request = DecodeLightSync(static_cast<std::int64_t>(w), static_cast<std::int64_t>(l));
    switch (request.kind) {
        case LightSyncKind::Style:
            SelectStyle(request.value);
            break;
        case LightSyncKind::Profile:
            SelectProfile(request.value);
            break;
        case LightSyncKind::DeviceProfile:
            // The device switched light profile: its default preset lights the
            // letter area.
            SelectProfile(request.value);
            ReportZoneWrite(m_Board.ApplyDefaultPreset());
            ShowZones();
            break;
        case LightSyncKind::None:
            break;  // out of range or unknown: nothing changes
    }
    return 1;
}

LRESULT CDlgLightOption::OnLightReload() {
    // Without the file every value would read as missing (-1) and replace the
    // lighting being edited: a reload then has nothing to bring.
    const std::wstring config = ConfigFilePath(m_App.dataFolder);
    if (!fs::FileExists(config)) return 1;
    LightSettings stored = m_Stored;
    ReadLightOption(config, stored);
    TakeReloadedLight(stored);
    return 1;
}

void CDlgLightOption::TakeReloadedLight(const LightSettings& stored) {
    const std::uint32_t taken = TakeChangedLight(m_Stored, stored, LightExchange);
    m_Stored = stored;
    if (taken & LIGHT_FIELD_STYLE) {
        LightExchange.LightStyle = LightStyleOnOpen(LightExchange.LightStyle);
        SelectStyle(LightExchange.LightStyle);
    }
    // Buttons and zone writes follow the light profile the file now names.
    if (taken & LIGHT_FIELD_MODE) SelectProfile(LightExchange.LightMode);
    if (taken & LIGHT_FIELDS_AT_ONCE) {
        ReportZoneWrite(m_Board.TakeFlags(LightExchange, taken));
        ShowZones();
    }
}

LRESULT CDlgLightOption::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == svc::WM_LIGHT_SYNC) return OnLightSync(wParam, lParam);
    if (msg == svc::WM_LIGHT_RELOAD) return OnLightReload();
    return CSkinDialog::WindowProc(msg, wParam, lParam);
}

}  // namespace zavo
