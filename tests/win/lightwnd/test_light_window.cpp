// The lighting window under Wine: what an opening shows and stores, what each
// button does to the light state file and the lighting values (always from what
// the window shows), the results of its three command buttons, the device
// service's two messages, the zones of an unapplied import, and its GDI and
// USER objects over openings.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>

#include "GuiResources.h"
#include "Harness.h"
#include "TempDir.h"
#include "app/AppContext.h"
#include "config/ConfigStore.h"
#include "config/Ini.h"
#include "light/LightStateFile.h"
#include "lightwnd/DlgLightOption.h"
#include "platform/FileSystem.h"
#include "service/ServiceCodes.h"
#include "win/Later.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

using Z = LightZone;

LightZoneStates Preset(int p, LightZoneStates base = {}) {
    ApplyLightPreset(p, base);
    return base;
}

void Click(CBitmapBtn& b) { SendMessageW(b.m_hWnd, BM_CLICK, 0, 0); }

// The owner the window tells of each apply: records WM_LIGHT_CHANGED.
class Owner : public CWnd {
public:
    Owner() { CreateEx(0, RegisterWndClass(0), L"lighting test owner", WS_POPUP, 0, 0, 1, 1, HWND{}, UINT_PTR{0}); }
    ~Owner() override { DestroyWindow(); }
    struct Change {
        WPARAM mask;
        LPARAM style;
        bool sent;
    };
    std::vector<Change> changes;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == svc::WM_LIGHT_CHANGED) changes.push_back({wParam, lParam, InSendMessage() != FALSE});
        return CWnd::WindowProc(msg, wParam, lParam);
    }
};

class LightWindow : public ::testing::Test {
protected:
    void SetUp() override {
        app_.programFolder = BinDir();
        app_.dataFolder = data_.path();
        app_.langTexts.assign(LANG_TEXT_COUNT, L"");
        // An empty light state file: every zone dark (without one, the
        // skin's factory zones show).
        ASSERT_TRUE(fs::WriteFileAtomic(LightStateFilePath(data_.path()), ""));
        dlg_ = MakeWindow();
    }
    void TearDown() override { dlg_.reset(); }

    std::unique_ptr<CDlgLightOption> MakeWindow() {
        return std::make_unique<CDlgLightOption>(app_, exchange_, service_, &owner_);
    }

    // Shows the window modally; `act` runs once it is up. A window that `act`
    // leaves open is ended with -2 after a while, so a test never hangs.
    INT_PTR Show(const std::function<void(CDlgLightOption&)>& act, CDlgLightOption* dlg = nullptr) {
        CDlgLightOption& d = dlg ? *dlg : *dlg_;
        Later later(200, [&] { act(d); });
        Later guard(15000, [&] {
            if (d.m_hWnd) d.EndDialog(-2);
        });
        const INT_PTR result = d.DoModal();
        Pump();
        return result;
    }

    // Opens, lets `act` work, then ends with OK; the result of the opening.
    INT_PTR Work(const std::function<void(CDlgLightOption&)>& act) {
        return Show([&](CDlgLightOption& d) {
            act(d);
            Click(d.m_btnOk);
        });
    }

    LightZoneStates Stored(int profile) const { return ReadLightZones(LightStateFilePath(data_.path()), profile); }
    static LightZoneStates Shown(const CDlgLightOption& d) {
        LightZoneStates s{};
        for (LightZone z : AllLightZones()) s[ZoneIndex(z)] = d.m_btnZone[ZoneIndex(z)].IsLatched() ? 1 : 0;
        return s;
    }
    static int LatchedStyle(const CDlgLightOption& d) {
        int found = -1;
        for (int s = 0; s < CDlgLightOption::STYLE_COUNT; ++s)
            if (d.m_btnStyle[s].IsLatched()) found = found == -1 ? s : -2;  // -2: more than one
        return found;
    }
    static int LatchedProfile(const CDlgLightOption& d) {
        int found = -1;
        for (int p = 1; p <= LIGHT_PROFILE_COUNT; ++p)
            if (d.m_btnProfile[p - 1].IsLatched()) found = found == -1 ? p : -2;
        return found;
    }
    const std::vector<Owner::Change>& LightChanges() const { return owner_.changes; }

    TempDir data_;
    AppContext app_;
    LightSettings exchange_;
    ServiceLink service_;
    Owner owner_;
    std::unique_ptr<CDlgLightOption> dlg_;
};

TEST_F(LightWindow, OpeningShowsAndStoresTheStyleAndTheLightProfile) {
    struct Case {
        const char* name;
        std::int32_t style, mode;
        int latchedStyle;  // button index: 0 is "38" (off)
        std::int32_t storedStyle;
        int latchedProfile;  // -1: none
        std::int32_t storedMode;
    } cases[] = {
        {"off", 0, 1, 0, 0, 1, 1},
        {"style 3, light profile 4", 3, 4, 3, 3, 4, 4},
        {"style 5 keeps its button", 5, 2, 5, 5, 2, 2},
        {"style 6 keeps its button", 6, 5, 6, 6, 5, 5},
        {"missing values", -1, -1, 1, 1, 1, 1},
        {"style past the buttons", 9, 0, 1, 1, 1, 1},
        {"light profile without a button", 2, 7, 2, 2, -1, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        exchange_.LightStyle = c.style;
        exchange_.LightMode = c.mode;
        int style = -3, profile = -3;
        std::wstring title;
        EXPECT_EQ(IDOK, Work([&](CDlgLightOption& d) {
                      style = LatchedStyle(d);
                      profile = LatchedProfile(d);
                      title = WindowText(d.m_hWnd);
                  }));
        EXPECT_EQ(title, L"ZVLight");
        EXPECT_EQ(style, c.latchedStyle);
        EXPECT_EQ(profile, c.latchedProfile);
        EXPECT_EQ(exchange_.LightStyle, c.storedStyle);
        EXPECT_EQ(exchange_.LightMode, c.storedMode);
    }
}

TEST_F(LightWindow, OpeningTellsTheServiceAndShowsTheStoredZones) {
    LightZoneStates stored = Preset(2);
    stored[ZoneIndex(Z::Number)] = 1;
    const LightZone all[] = {Z::W,       Z::AS,      Z::D,         Z::Q,       Z::ER,      Z::F,
                             Z::OneTo6,  Z::OneTo0,  Z::BackSpace, Z::Pinyin1, Z::Pinyin2, Z::Pinyin3,
                             Z::Pinyin4, Z::Pinyin5, Z::Tt1To5,    Z::Tt6To10, Z::Number,  Z::Direct};
    ASSERT_TRUE(WriteLightZones(LightStateFilePath(data_.path()), 3, all, std::size(all), stored));
    RecordingWindow service(svc::SERVICE_WINDOW_TITLE);
    exchange_.LightMode = 3;
    LightZoneStates shown{};
    Work([&](CDlgLightOption& d) { shown = Shown(d); });
    EXPECT_EQ(shown, stored);
    int opened = 0;
    for (const auto& m : service.Received())
        if (m.msg == svc::WM_SERVICE_COMMAND && m.wParam == svc::SVC_LIGHT_WINDOW_OPEN && m.lParam == 0 && !m.sent)
            ++opened;
    EXPECT_EQ(opened, 1);
}

TEST_F(LightWindow, LetterZonesStepToTheNextPresetAndOkStoresWhatIsShown) {
    exchange_.LightMode = 1;
    exchange_.WasdLight = 0;
    exchange_.OneToZeroLight = 0;
    // Each click on a letter zone, 1 to 6 included, gives the preset after the
    // one shown, whichever zone it is; the next opening goes on from there.
    std::vector<LightZoneStates> shown;
    Work([&](CDlgLightOption& d) {
        Click(d.m_btnZone[ZoneIndex(Z::Pinyin3)]);
        shown.push_back(Shown(d));
        Click(d.m_btnZone[ZoneIndex(Z::OneTo6)]);
        shown.push_back(Shown(d));
        Click(d.m_btnZone[ZoneIndex(Z::Q)]);
        shown.push_back(Shown(d));
    });
    EXPECT_EQ(Stored(1), Preset(3));
    // OK keeps what the window shows: preset 3 lights AS and 1 to 0.
    EXPECT_EQ(exchange_.WasdLight, 1);
    EXPECT_EQ(exchange_.OneToZeroLight, 1);
    EXPECT_EQ(exchange_.DferLight, 0);
    Work([&](CDlgLightOption& d) {
        shown.push_back(Shown(d));
        for (int i = 0; i < 3; ++i) Click(d.m_btnZone[ZoneIndex(Z::W)]);
        shown.push_back(Shown(d));
    });
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[0], Preset(1));
    EXPECT_EQ(shown[1], Preset(2));
    EXPECT_EQ(shown[2], Preset(3));
    EXPECT_EQ(shown[3], Preset(3));
    EXPECT_EQ(shown[4], Preset(1));  // presets 4, 0, 1
    EXPECT_EQ(Stored(1), Preset(1));
}

TEST_F(LightWindow, FlagButtonsAndTheTKeyCycleSwitchWhatIsShown) {
    // The configuration says lit where the zones show dark: the window shows
    // the zones, and each click visibly switches them.
    exchange_.NumberLight = 1;
    exchange_.DirectLight = -1;
    exchange_.Tt1To5Light = 1;
    exchange_.Tt6To10Light = -1;
    LightZoneStates afterFlags{}, afterFirstT{}, afterSecondT{};
    Work([&](CDlgLightOption& d) {
        Click(d.m_btnZone[ZoneIndex(Z::Number)]);
        Click(d.m_btnZone[ZoneIndex(Z::Direct)]);
        afterFlags = Shown(d);
        Click(d.m_btnZone[ZoneIndex(Z::Tt6To10)]);  // neither lit: T1..T5 next
        afterFirstT = Shown(d);
        Click(d.m_btnZone[ZoneIndex(Z::Tt6To10)]);
        afterSecondT = Shown(d);
    });
    EXPECT_EQ(afterFlags[ZoneIndex(Z::Number)], 1);
    EXPECT_EQ(afterFlags[ZoneIndex(Z::Direct)], 1);
    EXPECT_EQ(afterFirstT[ZoneIndex(Z::Tt1To5)], 1);
    EXPECT_EQ(afterFirstT[ZoneIndex(Z::Tt6To10)], 0);
    EXPECT_EQ(afterSecondT[ZoneIndex(Z::Tt1To5)], 0);
    EXPECT_EQ(afterSecondT[ZoneIndex(Z::Tt6To10)], 1);
    // The flags follow the screen: OK stores what it shows.
    EXPECT_EQ(exchange_.NumberLight, 1);
    EXPECT_EQ(exchange_.DirectLight, 1);
    EXPECT_EQ(exchange_.Tt1To5Light, 0);
    EXPECT_EQ(exchange_.Tt6To10Light, 1);
    const LightZoneStates stored = Stored(1);
    EXPECT_EQ(stored[ZoneIndex(Z::Number)], 1);
    EXPECT_EQ(stored[ZoneIndex(Z::Direct)], 1);
    EXPECT_EQ(stored[ZoneIndex(Z::Tt1To5)], 0);
    EXPECT_EQ(stored[ZoneIndex(Z::Tt6To10)], 1);
}

TEST_F(LightWindow, ProfilesShowTheirOwnZones) {
    exchange_.LightMode = 1;
    LightZoneStates backOnOne{}, onThree{};
    int profile = 0;
    Work([&](CDlgLightOption& d) {
        Click(d.m_btnZone[ZoneIndex(Z::AS)]);      // profile 1: preset 1
        Click(d.m_btnZone[ZoneIndex(Z::Number)]);  // profile 1: number pad lit
        Click(d.m_btnProfile[2]);
        Click(d.m_btnZone[ZoneIndex(Z::Number)]);  // dark on profile 3: lit there too
        onThree = Shown(d);
        Click(d.m_btnProfile[0]);
        backOnOne = Shown(d);
        profile = LatchedProfile(d);
    });
    LightZoneStates numberPad{};
    numberPad[ZoneIndex(Z::Number)] = 1;
    EXPECT_EQ(onThree, numberPad);
    EXPECT_EQ(backOnOne, Preset(1, numberPad));
    EXPECT_EQ(profile, 1);
    EXPECT_EQ(Stored(3), numberPad);
    EXPECT_EQ(exchange_.NumberLight, 1);
}

TEST_F(LightWindow, FirstStartShowsTheSkinsFactoryZones) {
    ASSERT_TRUE(fs::RemoveFile(LightStateFilePath(data_.path())));
    const std::wstring factory = FactoryLightStatePath(app_.SkinFolder());
    ASSERT_TRUE(fs::FileExists(factory));
    const LightZoneStates factoryOne = ReadLightZones(factory, 1);
    ASSERT_EQ(factoryOne[ZoneIndex(Z::Number)], 1);  // the generated skin lights it
    exchange_.LightMode = 1;
    exchange_.NumberLight = 1;
    LightZoneStates opened{}, clicked{};
    Work([&](CDlgLightOption& d) {
        opened = Shown(d);
        Click(d.m_btnZone[ZoneIndex(Z::Number)]);
        clicked = Shown(d);
    });
    EXPECT_EQ(opened, factoryOne);
    LightZoneStates want = factoryOne;
    want[ZoneIndex(Z::Number)] = 0;
    EXPECT_EQ(clicked, want);
    EXPECT_EQ(exchange_.NumberLight, 0);
    EXPECT_EQ(Stored(1), want);
    for (int p = 2; p <= LIGHT_PROFILE_COUNT; ++p) EXPECT_EQ(Stored(p), ReadLightZones(factory, p)) << p;
}

TEST_F(LightWindow, ResultsOfTheButtonsAndKeys) {
    struct Case {
        const char* name;
        std::function<void(CDlgLightOption&)> act;
        INT_PTR result;
    } cases[] = {
        {"OK", [](CDlgLightOption& d) { Click(d.m_btnOk); }, IDOK},
        {"Close", [](CDlgLightOption& d) { Click(d.m_btnClose); }, IDCANCEL},
        {"Close after Apply",
         [](CDlgLightOption& d) {
             Click(d.m_btnApply);
             Click(d.m_btnClose);
         },
         IDOK},
    };
    for (const Case& c : cases) EXPECT_EQ(c.result, Show(c.act)) << c.name;

    // Enter and Esc go through the modal loop like a user's keys and leave the
    // window open; it is then ended with -2.
    for (WPARAM vk : {VK_RETURN, VK_ESCAPE}) {
        bool open = false;
        std::unique_ptr<Later> check;
        const INT_PTR result = Show([&](CDlgLightOption& d) {
            PostMessageW(d.m_hWnd, WM_KEYDOWN, vk, 0);
            PostMessageW(d.m_hWnd, WM_KEYUP, vk, 0);
            check = std::make_unique<Later>(300, [&open, &d] {
                open = IsWindowVisible(d.m_hWnd) != FALSE;
                d.EndDialog(-2);
            });
        });
        EXPECT_EQ(result, -2) << vk;
        EXPECT_TRUE(open) << vk;
    }
}

TEST_F(LightWindow, CloseAfterApplyHandsBackExactlyWhatWasApplied) {
    exchange_.LightStyle = 2;
    exchange_.LightMode = 1;
    LightSettings applied;
    const INT_PTR result = Show([&](CDlgLightOption& d) {
        Click(d.m_btnZone[ZoneIndex(Z::W)]);  // preset 1
        Click(d.m_btnApply);
        applied = exchange_;
        Click(d.m_btnStyle[4]);  // after the apply: style 4, another light
        Click(d.m_btnProfile[1]);  // profile and its number pad
        Click(d.m_btnZone[ZoneIndex(Z::Number)]);
        Click(d.m_btnClose);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(applied.LightStyle, 2);
    EXPECT_EQ(applied.WasdLight, 1);
    EXPECT_EQ(exchange_, applied);
}

TEST_F(LightWindow, ApplyDerivesTheValuesAndTellsTheOwnerOnlyWhileTheServiceRuns) {
    exchange_.LightStyle = 2;
    exchange_.WasdLight = 0;
    exchange_.NumberLight = 0;
    {
        RecordingWindow service(svc::SERVICE_WINDOW_TITLE);
        Work([](CDlgLightOption& d) {
            Click(d.m_btnZone[ZoneIndex(Z::W)]);       // preset 1: W, AS, D, 1To6
            Click(d.m_btnZone[ZoneIndex(Z::Tt1To5)]);  // T1..T5
            Click(d.m_btnApply);
        });
    }
    EXPECT_EQ(exchange_.WasdLight, 1);
    EXPECT_EQ(exchange_.DferLight, 0);
    EXPECT_EQ(exchange_.Tt1To5Light, 1);
    EXPECT_EQ(exchange_.LightStyle, 2);
    const auto changes = LightChanges();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_FALSE(changes[0].sent);
    EXPECT_EQ(changes[0].mask, (1u << 0) | (1u << 1) | (1u << 2) | (1u << 7));
    EXPECT_EQ(changes[0].style, 2);

    // Without the service: derived all the same, nothing posted.
    Work([](CDlgLightOption& d) {
        Click(d.m_btnZone[ZoneIndex(Z::W)]);  // preset 2: AS dark, ER lit
        Click(d.m_btnApply);
    });
    EXPECT_EQ(exchange_.WasdLight, 0);
    EXPECT_EQ(exchange_.DferLight, 1);
    EXPECT_EQ(LightChanges().size(), 1u);
}

TEST_F(LightWindow, DeviceSyncSelectsInRangeRequestsOnly) {
    struct Case {
        const char* name;
        WPARAM w;
        LPARAM l;
        int latchedStyle;
        std::int32_t style;
        int latchedProfile;
        std::int32_t mode;
    } cases[] = {
        // The window opens with style 3 and light profile 2 each time.
        {"style 4", 0, 4, 4, 4, 2, 2},
        {"style 6 by w=2", 2, 6, 6, 6, 2, 2},
        {"the device's style 0", 0, 0, 0, 0, 2, 2},
        {"negative style", 0, static_cast<LPARAM>(-1), 3, 3, 2, 2},
        {"light profile 5", 3, 5, 3, 3, 5, 5},
        {"light profile 0", 3, 0, 3, 3, 2, 2},
        {"light profile 6", 3, 6, 3, 3, 2, 2},
        {"device profile outside 0..4", 1, 5, 3, 3, 2, 2},
        {"device profile negative", 1, static_cast<LPARAM>(-1), 3, 3, 2, 2},
        {"unknown request", 7, 1, 3, 3, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        exchange_.LightStyle = 3;
        exchange_.LightMode = 2;
        int style = -3, profile = -3;
        LRESULT answer = 0;
        Work([&](CDlgLightOption& d) {
            answer = SendMessageW(d.m_hWnd, svc::WM_LIGHT_SYNC, c.w, c.l);
            style = LatchedStyle(d);
            profile = LatchedProfile(d);
        });
        EXPECT_EQ(answer, 1);
        EXPECT_EQ(style, c.latchedStyle);
        EXPECT_EQ(profile, c.latchedProfile);
        EXPECT_EQ(exchange_.LightStyle, c.style);
        EXPECT_EQ(exchange_.LightMode, c.mode);
    }
    // Nothing the out-of-range requests did reached the light state file.
    for (int p = 1; p <= 7; ++p) EXPECT_EQ(Stored(p), LightZoneStates{}) << p;
}

TEST_F(LightWindow, DeviceProfileSwitchLightsItsDefaultPreset) {
    exchange_.LightMode = 1;
    LightZoneStates shown{}, afterClick{};
    int profile = 0;
    Work([&](CDlgLightOption& d) {
        PostMessageW(d.m_hWnd, svc::WM_LIGHT_SYNC, 1, 1);  // posted, as the service does
        WaitUntil([&] { return LatchedProfile(d) == 2; }, Ms(2000));
        profile = LatchedProfile(d);
        shown = Shown(d);
        Click(d.m_btnZone[ZoneIndex(Z::F)]);  // the whole letter area shown: all dark next
        afterClick = Shown(d);
    });
    EXPECT_EQ(profile, 2);
    EXPECT_EQ(exchange_.LightMode, 2);
    EXPECT_EQ(shown, Preset(4));
    EXPECT_EQ(afterClick, Preset(0));
    EXPECT_EQ(Stored(2), Preset(0));
    EXPECT_EQ(Stored(1), LightZoneStates{});
}

TEST_F(LightWindow, ReloadShowsWhatChangedInTheFileAndKeepsTheUsersOtherChoices) {
    const std::wstring config = ConfigFilePath(data_.path());
    struct Case {
        const char* name;
        int fileStyle, fileMode;
        int latchedStyle;
        std::int32_t style;
        int latchedProfile;
    } cases[] = {
        {"style 5", 5, 1, 5, 5, 1},
        {"style 6", 6, 1, 6, 6, 1},
        {"style 0", 0, 1, 0, 0, 1},
        {"style 12", 12, 1, 1, 1, 1},
        // Only the light profile changed: the user's style 4 stays, and the
        // buttons, zones and zone writes follow light profile 4.
        {"light profile 4", 2, 4, 4, 4, 4},
    };
    LightZoneStates four{};
    four[ZoneIndex(Z::Direct)] = 1;
    const auto& all = AllLightZones();
    ASSERT_TRUE(WriteLightZones(LightStateFilePath(data_.path()), 4, all.data(), all.size(), four));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        exchange_ = LightSettings{};
        exchange_.LightStyle = 2;
        exchange_.LightMode = 1;
        ASSERT_TRUE(WriteLightOption(config, exchange_));
        int style = -3, profile = -3;
        LightZoneStates shown{}, profileOne{};
        Work([&](CDlgLightOption& d) {
            Click(d.m_btnStyle[4]);  // the user's choice
            profileOne = Shown(d);
            EXPECT_TRUE(Settings().IniWriteInt(config, L"LIGHTOPTION", L"LIGHTSTYLE", c.fileStyle));
            EXPECT_TRUE(Settings().IniWriteInt(config, L"LIGHTOPTION", L"LIGHTMODE", c.fileMode));
            EXPECT_EQ(SendMessageW(d.m_hWnd, svc::WM_LIGHT_RELOAD, 0, 0), 1);
            style = LatchedStyle(d);
            profile = LatchedProfile(d);
            shown = Shown(d);
            Click(d.m_btnZone[ZoneIndex(Z::Number)]);
        });
        EXPECT_EQ(style, c.latchedStyle);
        EXPECT_EQ(exchange_.LightStyle, c.style);
        EXPECT_EQ(exchange_.LightMode, c.fileMode);
        EXPECT_EQ(profile, c.latchedProfile);
        EXPECT_EQ(shown, c.fileMode == 4 ? four : profileOne);
        // The number pad's click went to the profile the buttons show.
        EXPECT_EQ(Stored(c.latchedProfile)[ZoneIndex(Z::Number)], 1);
        ASSERT_TRUE(WriteLightZones(LightStateFilePath(data_.path()), c.latchedProfile, all.data(), all.size(),
                                    c.fileMode == 4 ? four : LightZoneStates{}));
    }
}

TEST_F(LightWindow, ReloadWithoutAConfigurationFileKeepsTheValuesBeingEdited) {
    exchange_.LightStyle = 5;
    exchange_.LightMode = 3;
    int style = -3;
    LightSettings before, after;
    Work([&](CDlgLightOption& d) {
        before = exchange_;
        EXPECT_EQ(SendMessageW(d.m_hWnd, svc::WM_LIGHT_RELOAD, 0, 0), 1);
        after = exchange_;
        style = LatchedStyle(d);
    });
    EXPECT_EQ(style, 5);
    EXPECT_EQ(after, before);
}

TEST_F(LightWindow, AnImportsZonesAreShownAndGiveWayToTheUsersChoice) {
    exchange_.LightMode = 2;
    LightZoneStates imported = Preset(2);
    imported[ZoneIndex(Z::Direct)] = 1;
    dlg_->SetPendingZones(2, imported);
    // Looked at and closed: still waiting, the file as it was.
    LightZoneStates shown{};
    EXPECT_EQ(IDCANCEL, Show([&](CDlgLightOption& d) {
                  shown = Shown(d);
                  Click(d.m_btnClose);
              }));
    EXPECT_EQ(shown, imported);
    EXPECT_FALSE(dlg_->PendingZonesStored());
    EXPECT_EQ(Stored(2), LightZoneStates{});
    // A click on that profile: the user's choice, from what the window showed.
    Show([&](CDlgLightOption& d) {
        Click(d.m_btnZone[ZoneIndex(Z::W)]);
        Click(d.m_btnClose);
    });
    EXPECT_TRUE(dlg_->PendingZonesStored());
    EXPECT_EQ(Stored(2), Preset(3, imported));
    // OK keeps the zones shown, the imported ones included.
    dlg_->ClearPendingZones();
    dlg_->SetPendingZones(4, imported);
    exchange_.LightMode = 4;
    Work([](CDlgLightOption&) {});
    EXPECT_TRUE(dlg_->PendingZonesStored());
    EXPECT_EQ(Stored(4), imported);
}

TEST_F(LightWindow, ClosingReleasesPicturesAndButtonsAndOpeningsDoNotPileUp) {
    {
        // The first opening in the process loads libraries and classes for good.
        auto warmUp = MakeWindow();
        Show([](CDlgLightOption& d) { Click(d.m_btnOk); }, warmUp.get());
    }
    const GuiObjectCounts before = CountGuiObjects();
    Show([](CDlgLightOption& d) {
        Click(d.m_btnZone[ZoneIndex(Z::W)]);
        Click(d.m_btnOk);
    });
    const GuiObjectCounts afterOne = CountGuiObjects();
    EXPECT_EQ(before.gdi, afterOne.gdi);
    EXPECT_EQ(before.user, afterOne.user);
    for (int i = 0; i < 50; ++i) {
        Show([](CDlgLightOption& d) {
            Click(d.m_btnZone[ZoneIndex(Z::Tt1To5)]);
            Click(d.m_btnProfile[1]);
            Click(d.m_btnClose);
        });
    }
    const GuiObjectCounts after = CountGuiObjects();
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.user, after.user);
}

}  // namespace
