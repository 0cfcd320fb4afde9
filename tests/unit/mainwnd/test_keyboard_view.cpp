// The main window's display logic, driven through a recording surface.
#include <gtest/gtest.h>

#include <memory>

#include "app/UiTexts.h"
#include "macro/KeyTables.h"
#include "mainwnd/KeyboardView.h"

using namespace zavo;

namespace {

struct FakeSurface : KeySurface {
    bool enterRegion = true;
    std::array<bool, TKEY_COUNT> tkeyLatched{}, tkeyEnabled{};
    std::array<bool, STANDARD_KEY_COUNT> keyLatched{}, keyEnabled{};
    EnterLook enterLook = EnterLook::Default;
    bool enterEnabled = true;
    std::array<bool, cmd::COUNT + 1> cmdLatched{}, cmdEnabled{};
    bool blinking = false;

    FakeSurface() {
        tkeyEnabled.fill(true);
        keyEnabled.fill(true);
        cmdEnabled.fill(true);
    }
    bool HasEnterRegion() const override { return enterRegion; }
    void SetTKeyLatched(int i, bool on) override { tkeyLatched.at(i) = on; }
    void SetTKeyEnabled(int i, bool on) override { tkeyEnabled.at(i) = on; }
    void SetKeyLatched(int k, bool on) override {
        ASSERT_FALSE(enterRegion && k == ENTER_KEY_INDEX) << "key 70 is the region button";
        keyLatched.at(k) = on;
    }
    void SetKeyEnabled(int k, bool on) override {
        ASSERT_FALSE(enterRegion && k == ENTER_KEY_INDEX) << "key 70 is the region button";
        keyEnabled.at(k) = on;
    }
    void SetEnterLook(EnterLook look) override { enterLook = look; }
    void SetEnterEnabled(bool on) override { enterEnabled = on; }
    void SetCommandLatched(int key, bool on) override { cmdLatched.at(key) = on; }
    void SetCommandEnabled(int key, bool on) override { cmdEnabled.at(key) = on; }
    void StartBlink() override { blinking = true; }
    void StopBlink() override { blinking = false; }
};

std::wstring FakeKeyName(std::uint8_t code) { return L"K" + std::to_wstring(code); }

class KeyboardViewTest : public ::testing::Test {
protected:
    std::unique_ptr<KeyboardConfig> config = std::make_unique<KeyboardConfig>();
    FakeSurface ui;
    KeyboardView view{*config, ui, &FakeKeyName};

    ProfileConfig& P(int p = 0) { return config->Profile[p]; }
    void Clear(ProfileConfig& p) {
        for (auto& b : p.Button) b.FunID = FUNID_NONE, b.Mappinkey = KEY_NONE;
    }
    void SetUp() override {
        for (auto& p : config->Profile) Clear(p);
        // Key k sits at (k*10, 100)..(k*10+10, 110); T-key i at (i*20, 0)..(i*20+20, 20).
        for (int k = 0; k < STANDARD_KEY_COUNT; ++k) view.PlaceKey(k, {k * 10, 100, k * 10 + 10, 110});
        for (int i = 0; i < TKEY_COUNT; ++i) view.PlaceTKey(i, {i * 20, 0, i * 20 + 20, 20});
    }
    void LendMacro(int slot, int key, std::uint16_t length, const wchar_t* name) {
        auto& b = P().Button[slot];
        b.FunID = FUNID_MACRO;
        b.Mappinkey = static_cast<std::uint8_t>(key);
        b.Macro.MacroLength = length;
        b.Macro.MacroName = name;
    }
};

TEST(KeyboardViewProfile, OutOfRangeProfilesBecomeZero) {
    struct Case {
        int in, out;
        bool changed;
    } cases[] = {{204, 0, true}, {-1, 0, true}, {-5, 0, true}, {6, 0, true},
                 {9, 0, true},   {0, 0, false}, {4, 4, false}, {5, 5, false}};
    for (const Case& c : cases) {
        auto config = std::make_unique<KeyboardConfig>();
        config->CurrantProfile = c.in;
        EXPECT_EQ(KeyboardView::NormalizeProfile(*config), c.changed) << c.in;
        EXPECT_EQ(config->CurrantProfile, c.out) << c.in;
    }
}

TEST_F(KeyboardViewTest, ShowProfileLatchesOnlyItsButtonAndShowsTKeys) {
    P(2).Button[3].FunID = FUNID_SINGLEKEY;
    config->CurrantProfile = 2;
    view.ShowProfile(2);
    for (int i = 0; i < PROFILE_COUNT; ++i) EXPECT_EQ(ui.cmdLatched[cmd::PROFILE_BUTTONS[i]], i == 2);
    for (int i = 0; i < TKEY_COUNT; ++i) EXPECT_EQ(ui.tkeyLatched[i], i == 3);
}

TEST_F(KeyboardViewTest, NoProfileLocksTheKeyboardUntilAProfileIsShown) {
    config->Mode = 1;
    config->CurrantProfile = 5;
    view.ShowProfile(5);
    for (int key : cmd::PROFILE_BUTTONS) EXPECT_FALSE(ui.cmdLatched[key]);
    for (bool on : ui.tkeyEnabled) EXPECT_FALSE(on);
    for (int k = 0; k < STANDARD_KEY_COUNT; ++k) {
        if (k == ENTER_KEY_INDEX) continue;
        EXPECT_FALSE(ui.keyEnabled[k]) << k;
    }
    EXPECT_FALSE(ui.enterEnabled);
    EXPECT_EQ(ui.enterLook, EnterLook::Default);

    // A mode switch while no profile is active keeps the keys locked, and the
    // cursor poll and a key pick read nothing past the five profiles.
    view.ShowMode(1);
    EXPECT_FALSE(ui.keyEnabled[0]);
    view.PickStandardKey(3);
    EXPECT_EQ(view.SelectedSlot(), -1);
    EXPECT_FALSE(view.HoverInfo(5, 5).setText);

    config->CurrantProfile = 1;
    view.ShowProfile(1);
    for (bool on : ui.tkeyEnabled) EXPECT_TRUE(on);
    EXPECT_TRUE(ui.keyEnabled[0]);
    EXPECT_TRUE(ui.enterEnabled);
}

TEST_F(KeyboardViewTest, ModeZeroLocksAndUnlightsStandardKeysModeOneRestoresThem) {
    config->Mode = 1;
    P().SwapKey[5].IsChanged = 1;
    LendMacro(10, ENTER_KEY_INDEX, 100, L"m");
    view.ShowProfile(0);
    EXPECT_TRUE(ui.keyLatched[5]);
    EXPECT_EQ(ui.enterLook, EnterLook::Highlighted);
    EXPECT_TRUE(ui.cmdLatched[cmd::MODE1]);
    EXPECT_EQ(view.LentKeysShown(), 1);

    config->Mode = 0;
    view.ShowMode(0);
    EXPECT_FALSE(ui.keyLatched[5]);
    EXPECT_FALSE(ui.keyEnabled[5]);
    EXPECT_FALSE(ui.enterEnabled);
    EXPECT_NE(ui.enterLook, EnterLook::Highlighted);
    EXPECT_TRUE(ui.cmdLatched[cmd::MODE0]);
    EXPECT_FALSE(ui.cmdLatched[cmd::MODE1]);

    config->Mode = 1;
    view.ShowMode(1);
    EXPECT_TRUE(ui.keyLatched[5]);
    EXPECT_TRUE(ui.keyEnabled[5]);
    EXPECT_EQ(ui.enterLook, EnterLook::Highlighted);
}

TEST_F(KeyboardViewTest, WithoutEnterRegionKey70IsAnOrdinaryKey) {
    ui.enterRegion = false;
    config->Mode = 1;
    P().SwapKey[ENTER_KEY_INDEX].IsChanged = 1;
    view.ShowProfile(0);
    EXPECT_TRUE(ui.keyLatched[ENTER_KEY_INDEX]);
}

TEST_F(KeyboardViewTest, RefreshGivesBackEmptyLentSlotsAndCountsTheMacroBudget) {
    config->Mode = 1;
    P().Button[0].FunID = FUNID_MACRO;
    P().Button[0].Macro.MacroLength = 1000;
    LendMacro(12, 40, 2000, L"x");
    P().Button[13].Mappinkey = 41;  // lent, but holds nothing
    view.RefreshKeyboard();
    EXPECT_EQ(view.MacroEventsShown(), 3000);
    EXPECT_EQ(P().Button[13].Mappinkey, KEY_NONE);
    EXPECT_TRUE(ui.keyLatched[40]);
    EXPECT_FALSE(ui.keyLatched[41]);
}

TEST_F(KeyboardViewTest, HoverNamesTheAssignmentUnderTheCursor) {
    config->Mode = 1;
    auto& b = P().Button;
    b[0].FunID = FUNID_SINGLEKEY, b[0].SingleKey = 0x2A;
    b[1].FunID = FUNID_MACRO, b[1].Macro.MacroName = L"Combo";
    b[2].FunID = FUNID_APP, b[2].AppPath = L"C:\\Games\\Tool.v2.exe";
    LendMacro(10, 30, 5, L"Lent");
    P().SwapKey[31].IsChanged = 1, P().SwapKey[31].AssKey = 0x10;
    struct Case {
        int x, y;
        bool set;
        Indicator ind;
        const wchar_t* text;
    } cases[] = {
        {5, 5, true, Indicator::Key, L"K42"},         {25, 5, true, Indicator::Macro, L"Combo"},
        {45, 5, true, Indicator::Launch, L"Tool.v2"}, {305, 105, true, Indicator::Macro, L"Lent"},
        {315, 105, true, Indicator::Key, L"K16"},     {700, 500, true, Indicator::Default, L""},
        {65, 5, true, Indicator::Default, L""},  // T-key 3 has no assignment
    };
    for (const Case& c : cases) {
        HoverOutcome o = view.HoverInfo(c.x, c.y);
        EXPECT_EQ(o.setIndicator, c.set) << c.x;
        EXPECT_EQ(o.indicator, c.ind) << c.x;
        EXPECT_EQ(o.text, c.text) << c.x;
    }
}

TEST_F(KeyboardViewTest, HoverInModeZeroShowsNothingForStandardKeys) {
    config->Mode = 0;
    LendMacro(10, 30, 5, L"Lent");
    P().SwapKey[31].IsChanged = 1;
    EXPECT_FALSE(view.HoverInfo(305, 105).setIndicator);
    EXPECT_FALSE(view.HoverInfo(315, 105).setText);
    // With a T-key assignment before the lent slot, the miss on it still shows D.
    P().Button[0].FunID = FUNID_SINGLEKEY;
    HoverOutcome o = view.HoverInfo(305, 105);
    EXPECT_TRUE(o.setText);
    EXPECT_EQ(o.indicator, Indicator::Default);
}

TEST_F(KeyboardViewTest, DescribeApplicationNames) {
    struct Case {
        const wchar_t* path;
        const wchar_t* name;
    } cases[] = {{L"C:\\Games\\Tool.v2.exe", L"Tool.v2"},
                 {L"C:\\Games\\Tool", L"Tool"},
                 {L"plain.exe", L"plain"},
                 {L"C:\\dir.d\\noext", L"noext"},
                 {L"", L""}};
    for (const Case& c : cases) EXPECT_EQ(view.DescribeApp(c.path), c.name) << c.path;
}

TEST_F(KeyboardViewTest, PickedTKeyBlinksUntilTheSelectionIsReset) {
    P().Button[4].FunID = FUNID_SINGLEKEY;
    view.ShowProfile(0);
    view.PickTKey(4);
    EXPECT_TRUE(ui.blinking);
    EXPECT_EQ(view.SelectedSlot(), 4);
    EXPECT_EQ(view.DescribeSlot(), L"K0");
    EXPECT_TRUE(ui.cmdEnabled[cmd::ASSIGN_CLEAR]);
    const bool first = (view.BlinkTick(), ui.tkeyLatched[4]);
    view.BlinkTick();
    EXPECT_NE(ui.tkeyLatched[4], first);
    view.ResetSelection(0);
    EXPECT_FALSE(ui.blinking);
    EXPECT_EQ(view.SelectedSlot(), -1);
    EXPECT_TRUE(ui.tkeyLatched[4]);
    EXPECT_FALSE(ui.cmdEnabled[cmd::ASSIGN_MACRO]);
}

TEST_F(KeyboardViewTest, PickedEnterKeyBlinksThroughTheRegionLooks) {
    config->Mode = 1;
    view.ShowProfile(0);
    view.PickStandardKey(ENTER_KEY_INDEX);
    EXPECT_EQ(view.SelectedSlot(), FIRST_LENT_SLOT);
    view.BlinkTick();
    const EnterLook a = ui.enterLook;
    view.BlinkTick();
    EXPECT_NE(ui.enterLook, a);
}

TEST_F(KeyboardViewTest, StandardKeyPickReusesItsLentSlotOrTakesTheFirstFree) {
    config->Mode = 1;
    LendMacro(10, 20, 1, L"a");
    LendMacro(11, 21, 1, L"b");
    view.ShowProfile(0);
    view.PickStandardKey(21);
    EXPECT_EQ(view.SelectedSlot(), 11);
    view.PickStandardKey(50);
    EXPECT_EQ(view.SelectedSlot(), 12);
    EXPECT_EQ(P().Button[12].Mappinkey, KEY_NONE);  // only reserved
}

TEST_F(KeyboardViewTest, EightLentKeysRefuseANinthButKeepTheirOwn) {
    config->Mode = 1;
    for (int i = 0; i < KeyboardView::kLentKeyLimit; ++i) LendMacro(10 + i, 20 + i, 1, L"m");
    view.ShowProfile(0);
    EXPECT_EQ(view.LentKeysShown(), KeyboardView::kLentKeyLimit);
    view.PickStandardKey(60);
    EXPECT_FALSE(ui.cmdEnabled[cmd::ASSIGN_MACRO]);
    EXPECT_FALSE(ui.cmdEnabled[cmd::ASSIGN_APP]);
    EXPECT_FALSE(ui.cmdEnabled[cmd::ASSIGN_CLEAR]);
    // The greyed buttons come with a reason.
    EXPECT_NE(view.LimitNotice().find(L"8 keys"), std::wstring::npos);
    view.PickStandardKey(23);
    EXPECT_TRUE(ui.cmdEnabled[cmd::ASSIGN_MACRO]);
    EXPECT_TRUE(ui.cmdEnabled[cmd::ASSIGN_CLEAR]);
    EXPECT_EQ(view.SelectedSlot(), 13);
    EXPECT_EQ(view.LimitNotice(), L"");
    // A T-key picked after a key at the limit has no limit to explain.
    view.PickStandardKey(60);
    view.PickTKey(0);
    EXPECT_EQ(view.LimitNotice(), L"");
}

// The status line names what the selected or hovered key does, a macro with
// its repeat count and a remapped standard key with its target; the module's
// text is used where it has one.
TEST_F(KeyboardViewTest, StatusTextsNameWhatTheKeyDoes) {
    config->Mode = 1;
    auto& b = P().Button;
    b[0].FunID = FUNID_MACRO, b[0].Macro.MacroName = L"Combo", b[0].Macro.RepeatOption = 4,
    b[0].Macro.RepeatTimes = 12;
    b[1].FunID = FUNID_MACRO, b[1].Macro.MacroName = L"Once", b[1].Macro.RepeatOption = 2,
    b[1].Macro.RepeatTimes = 12;
    P().SwapKey[31].IsChanged = 1, P().SwapKey[31].AssKey = 0x10;
    view.ShowProfile(0);
    view.PickTKey(0);
    EXPECT_EQ(view.DescribeSlot(), L"Combo (repeats 12 times)");
    EXPECT_EQ(view.HoverInfo(5, 5).text, L"Combo (repeats 12 times)");
    view.PickTKey(1);
    EXPECT_EQ(view.DescribeSlot(), L"Once");
    view.PickStandardKey(31);
    EXPECT_EQ(view.DescribeSlot(), L"K16");
    ASSERT_TRUE(view.StoreSingleKey(KeyIndexToKeyCode(31), 0x26));
    EXPECT_EQ(view.DescribeSlot(), L"K38");  // the confirmation of the remap just made

    AppContext app;
    app.moduleTexts.assign(kMacroRepeats.id - MODULE_TEXT_FIRST_ID + 1, L"");
    app.moduleTexts.back() = L"%1 \u00d7%2";
    view.UseTexts(app);
    view.PickTKey(0);
    EXPECT_EQ(view.DescribeSlot(), L"Combo \u00d712");
}

// The status line keeps the text of the last action: the key under the mouse
// may show its own text while the mouse is on it, and moving off brings the
// action's text back instead of an empty line; a notice holds the line.
TEST(StatusLine, HoverNeverWipesTheLastActionsText) {
    auto hover = [](bool set, Indicator ind, const wchar_t* text) {
        HoverOutcome h;
        h.setIndicator = h.setText = set;
        h.indicator = ind;
        h.text = text;
        return h;
    };
    struct Case {
        const char* what;
        HoverOutcome in;
        bool held;
        bool setText;
        const wchar_t* shown;
        bool setIndicator;
    } cases[] = {
        {"on a key", hover(true, Indicator::Macro, L"Combo"), false, true, L"Combo", true},
        {"off every key", hover(true, Indicator::Default, L""), false, true, L"Settings reloaded", true},
        {"nothing to report", hover(false, Indicator::Default, L""), false, false, L"", false},
        {"notice held, on a key", hover(true, Indicator::Macro, L"Combo"), true, false, L"", false},
        {"notice held, off", hover(true, Indicator::Default, L""), true, false, L"", false},
    };
    for (const Case& c : cases) {
        const HoverOutcome out = StatusForHover(c.in, L"Settings reloaded", c.held);
        EXPECT_EQ(out.setText, c.setText) << c.what;
        if (out.setText) {
            EXPECT_EQ(out.text, c.shown) << c.what;
        }
        EXPECT_EQ(out.setIndicator, c.setIndicator) << c.what;
    }
}

TEST_F(KeyboardViewTest, ClearEmptiesTheSlotKeepsThePathAndEndsTheSelection) {
    auto& b = P().Button[2];
    b.FunID = FUNID_APP, b.AppPath = L"C:\\a.exe";
    view.ShowProfile(0);
    view.PickTKey(2);
    view.ClearSelected();
    EXPECT_EQ(b.FunID, FUNID_NONE);
    EXPECT_EQ(b.AppPath, L"C:\\a.exe");
    EXPECT_EQ(view.SelectedSlot(), -1);
    EXPECT_EQ(view.SelectedTKey(), -1);
    EXPECT_FALSE(ui.blinking);
    EXPECT_FALSE(ui.tkeyLatched[2]);
    EXPECT_FALSE(ui.cmdEnabled[cmd::ASSIGN_CLEAR]);
}

}  // namespace

namespace {

TEST_F(KeyboardViewTest, ApplicationOnAStandardKeyTakesTheLentSlotAndMirrorsTheRemap) {
    config->Mode = 1;
    view.ShowProfile(0);
    view.PickStandardKey(42);
    ASSERT_TRUE(view.StoreApplication(L"C:\\Games\\Run.exe"));
    const auto& slot = P().Button[FIRST_LENT_SLOT];
    EXPECT_EQ(slot.FunID, FUNID_APP);
    EXPECT_EQ(slot.Mappinkey, 42);
    EXPECT_EQ(P().SwapKey[42].IsChanged, 1);
    EXPECT_EQ(P().SwapKey[42].AppPath, L"C:\\Games\\Run.exe");
    EXPECT_EQ(view.DescribeSlot(), L"Run");

    // On a T-key the slot is the key's own and lent to nobody.
    view.PickTKey(1);
    ASSERT_TRUE(view.StoreApplication(L"x.exe"));
    EXPECT_EQ(P().Button[1].Mappinkey, KEY_NONE);

    view.ResetSelection(0);
    EXPECT_FALSE(view.StoreApplication(L"y.exe"));  // nothing selected: nothing stored
}

TEST_F(KeyboardViewTest, CancelledAssignmentUnlinksOnlyAMerelyReservedSlot) {
    config->Mode = 1;
    LendMacro(FIRST_LENT_SLOT, 42, 12, L"Combo");
    view.ShowProfile(0);
    // The key that holds a macro: a cancelled dialog keeps the link.
    view.PickStandardKey(42);
    ASSERT_EQ(view.SelectedSlot(), FIRST_LENT_SLOT);
    view.GiveBackSelectedSlot();
    EXPECT_EQ(P().Button[FIRST_LENT_SLOT].Mappinkey, 42);
    EXPECT_EQ(P().Button[FIRST_LENT_SLOT].FunID, FUNID_MACRO);
    // A key that only reserved a free slot gives it back, and the next key gets it.
    view.PickStandardKey(43);
    const int reserved = view.SelectedSlot();
    ASSERT_EQ(reserved, FIRST_LENT_SLOT + 1);
    view.GiveBackSelectedSlot();
    EXPECT_EQ(P().Button[reserved].Mappinkey, KEY_NONE);
    view.PickStandardKey(44);
    EXPECT_EQ(view.SelectedSlot(), reserved);
    EXPECT_EQ(P().Button[FIRST_LENT_SLOT].Mappinkey, 42);
}

TEST_F(KeyboardViewTest, ResetSelectionForgetsEveryPickAndDisablesClear) {
    config->Mode = 1;
    P().SwapKey[30].IsChanged = 1;
    P(1).SwapKey[30].IsChanged = 1;
    view.ShowProfile(0);
    view.PickStandardKey(30);
    ASSERT_TRUE(ui.cmdEnabled[cmd::ASSIGN_CLEAR]);
    // A profile switch (or an apply) resets the selection: Clear can no longer
    // reach key 30 of the profile shown next.
    view.ResetSelection(0);
    EXPECT_EQ(view.SelectedKey(), -1);
    EXPECT_EQ(view.SelectedTKey(), -1);
    EXPECT_EQ(view.SelectedSlot(), -1);
    EXPECT_FALSE(ui.cmdEnabled[cmd::ASSIGN_CLEAR]);
    config->CurrantProfile = 1;
    view.ShowProfile(1);
    EXPECT_FALSE(view.ClearSelected());
    EXPECT_EQ(P(1).SwapKey[30].IsChanged, 1);
}

TEST_F(KeyboardViewTest, ClearSaysWhetherItRemovedSomething) {
    struct Case {
        const char* name;
        std::uint8_t funId;
        bool changed;
    } cases[] = {
        {"application", FUNID_APP, true},
        {"nothing", FUNID_NONE, false},
        {"not set (0xCC)", KEY_UNSET, false},
    };
    for (const Case& c : cases) {
        P().Button[4].FunID = c.funId;
        view.ShowProfile(0);
        view.PickTKey(4);
        EXPECT_EQ(view.ClearSelected(), c.changed) << c.name;
    }
}

TEST_F(KeyboardViewTest, FunctionCodeNotSetCountsAsUnassigned) {
    P().Button[3].FunID = KEY_UNSET;
    LendMacro(FIRST_LENT_SLOT, 42, 0, L"");
    P().Button[FIRST_LENT_SLOT].FunID = KEY_UNSET;
    config->Mode = 1;
    view.ShowProfile(0);
    EXPECT_FALSE(ui.tkeyLatched[3]);
    EXPECT_FALSE(ui.keyLatched[42]);
    EXPECT_EQ(P().Button[FIRST_LENT_SLOT].Mappinkey, KEY_NONE);  // given back like an empty slot
    view.PickTKey(3);
    EXPECT_FALSE(ui.cmdEnabled[cmd::ASSIGN_CLEAR]);
}

MacroGroup Macro(const wchar_t* name, int length) {
    MacroGroup m;
    m.MacroName = name;
    m.MacroLength = static_cast<std::uint16_t>(length);
    m.RepeatOption = 1;
    return m;
}

TEST_F(KeyboardViewTest, MacroBudgetIsCountedFromTheSlotsThemselves) {
    config->Mode = 1;
    view.ShowProfile(0);
    view.PickTKey(0);
    ASSERT_EQ(view.StoreMacro(Macro(L"big", 3000)), KeyboardView::MacroStore::Stored);
    view.PickTKey(1);
    ASSERT_EQ(view.StoreMacro(Macro(L"rest", 2440)), KeyboardView::MacroStore::Stored);
    // One event more is refused, and nothing changes.
    view.PickTKey(2);
    const ProfileConfig before = P();
    EXPECT_EQ(view.StoreMacro(Macro(L"one", 1)), KeyboardView::MacroStore::OverBudget);
    EXPECT_EQ(P(), before);
    // Replacing the 3000-event macro by an application frees its events.
    view.PickTKey(0);
    ASSERT_TRUE(view.StoreApplication(L"C:\\Games\\Tool.exe"));
    view.PickTKey(2);
    EXPECT_EQ(view.StoreMacro(Macro(L"one", 1)), KeyboardView::MacroStore::Stored);
    EXPECT_EQ(view.MacroEventsShown(), 2441);
    // Replacing a macro by one of the same size counts the slot once.
    view.PickTKey(1);
    EXPECT_EQ(view.StoreMacro(Macro(L"again", 2440)), KeyboardView::MacroStore::Stored);
    // A length read from a damaged file counts at most 5440.
    P().Button[5].FunID = FUNID_MACRO;
    P().Button[5].Macro.MacroLength = 60000;
    EXPECT_EQ(view.MacroEventsUsed(-1), 2441 + 5440);
}

TEST_F(KeyboardViewTest, MacroOnAStandardKeyTakesTheLentSlotAndEndsTheRemap) {
    config->Mode = 1;
    P().SwapKey[42].IsChanged = 1;
    view.ShowProfile(0);
    view.PickStandardKey(42);
    ASSERT_EQ(view.StoreMacro(Macro(L"m", 4)), KeyboardView::MacroStore::Stored);
    EXPECT_EQ(P().Button[FIRST_LENT_SLOT].FunID, FUNID_MACRO);
    EXPECT_EQ(P().Button[FIRST_LENT_SLOT].Mappinkey, 42);
    EXPECT_EQ(P().SwapKey[42].IsChanged, 0);
    view.ResetSelection(0);
    EXPECT_EQ(view.StoreMacro(Macro(L"m", 4)), KeyboardView::MacroStore::NoSlot);
}

TEST_F(KeyboardViewTest, SingleKeyStartsFromTheKeysOwnCodeAndRefusesNoKey) {
    config->Mode = 1;
    std::uint8_t src = 1, dst = 1;
    view.ShowProfile(0);
    EXPECT_FALSE(view.SingleKeyStart(src, dst));  // nothing selected: nothing opens
    EXPECT_FALSE(view.StoreSingleKey(0, 0x14));

    // A standard key remapped before still starts from its own code.
    P().SwapKey[30].IsChanged = 1;
    P().SwapKey[30].AssKey = 0x26;
    view.PickStandardKey(30);
    ASSERT_TRUE(view.SingleKeyStart(src, dst));
    EXPECT_EQ(src, KeyIndexToKeyCode(30));
    EXPECT_EQ(dst, 0x26);
    for (std::uint8_t none : {0x00, 0xFF, 0xCC}) {
        EXPECT_FALSE(view.StoreSingleKey(src, none)) << int(none);
        EXPECT_EQ(P().SwapKey[30].AssKey, 0x26);
    }
    ASSERT_TRUE(view.StoreSingleKey(src, 0x8E));
    EXPECT_EQ(P().SwapKey[30].AssKey, 0x8E);
    EXPECT_EQ(P().SwapKey[30].FunID, FUNID_SINGLEKEY);
    EXPECT_EQ(P().SwapKey[30].IsChanged, 1);

    view.PickTKey(3);
    ASSERT_TRUE(view.SingleKeyStart(src, dst));
    EXPECT_EQ(src, 0);
    ASSERT_TRUE(view.StoreSingleKey(src, 0x8E));
    EXPECT_EQ(P().Button[3].FunID, FUNID_SINGLEKEY);
    EXPECT_EQ(P().Button[3].SingleKey, 0x8E);
}

TEST_F(KeyboardViewTest, SingleKeyOnAKeyWithAMacroFreesItsLentSlot) {
    config->Mode = 1;
    LendMacro(FIRST_LENT_SLOT, 42, 100, L"Combo");
    view.ShowProfile(0);
    view.PickStandardKey(42);
    ASSERT_TRUE(view.StoreSingleKey(KeyIndexToKeyCode(42), 0x14));
    EXPECT_EQ(P().Button[FIRST_LENT_SLOT].FunID, FUNID_NONE);
    EXPECT_EQ(P().Button[FIRST_LENT_SLOT].Mappinkey, KEY_NONE);
    EXPECT_EQ(view.MacroEventsShown(), 0);
}

TEST_F(KeyboardViewTest, MacroRoomIsWhatTheOtherSlotsLeave) {
    view.ShowProfile(0);
    EXPECT_EQ(view.MacroRoomForSelection(), 0);  // no slot selected
    view.PickTKey(0);
    ASSERT_EQ(view.StoreMacro(Macro(L"big", 5000)), KeyboardView::MacroStore::Stored);
    EXPECT_EQ(view.MacroRoomForSelection(), 5440);  // its own macro would be replaced
    view.PickTKey(1);
    EXPECT_EQ(view.MacroRoomForSelection(), 440);
    P().Button[5].FunID = FUNID_MACRO;
    P().Button[5].Macro.MacroLength = 60000;  // damaged: counts 5440, room never negative
    EXPECT_EQ(view.MacroRoomForSelection(), 0);
}

}  // namespace
