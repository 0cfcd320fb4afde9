// What the main window shows of the active profile: which T-keys and standard
// keys are lit, which keys are locked, which command buttons are latched or
// enabled, the selected key and its slot, and what the cursor poll reports for
// the key under the mouse.
//
// The logic is portable: it drives the window through KeySurface, a handful of
// "key button" operations, so it runs (and is tested) without any window.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "app/AppContext.h"
#include "config/KeyboardConfig.h"
#include "skin/SkinRect.h"

namespace zavo {

// The picture of the assignment indicator: letters D, L, S and T.
enum class Indicator { Default, Launch, Key, Macro };

// The three looks of the Enter key when it is a region button.
enum class EnterLook { Default, Highlighted, Locked };

// Command buttons, by their key in the main skin's "BUTTONINFO" section.
namespace cmd {
constexpr int RESET = 1, WEB = 2, HELP = 3, PROFILE1 = 4, PROFILE2 = 5, PROFILE3 = 6, MODE0 = 7, MODE1 = 8,
              MACRO_EDITOR = 9, LIGHTING = 10, STATUS = 11, ASSIGN_MACRO = 12, ASSIGN_CLEAR = 13, ASSIGN_KEY = 14,
              ASSIGN_APP = 15, INSTANT_SHIFT = 16, APPLY = 17, QUIT = 18, OK_EXIT = 19, EXIT = 20, PROFILE5 = 21,
              PROFILE4 = 22;
constexpr int COUNT = 22;
// The buttons that show profiles 0 to 4.
constexpr std::array<int, PROFILE_COUNT> PROFILE_BUTTONS = {PROFILE1, PROFILE2, PROFILE3, PROFILE4, PROFILE5};
}  // namespace cmd

// The operations the display logic needs from the window. Each one is cheap to
// repeat: the window repaints a button only when its state really changes.
class KeySurface {
public:
    virtual ~KeySurface() = default;
    // True when the Enter key (index 70) is the region button instead of a key button.
    virtual bool HasEnterRegion() const = 0;
    virtual void SetTKeyLatched(int index, bool latched) = 0;
    virtual void SetTKeyEnabled(int index, bool enabled) = 0;
    virtual void SetKeyLatched(int index, bool latched) = 0;
    virtual void SetKeyEnabled(int index, bool enabled) = 0;
    virtual void SetEnterLook(EnterLook look) = 0;
    virtual void SetEnterEnabled(bool enabled) = 0;
    virtual void SetCommandLatched(int key, bool latched) = 0;
    virtual void SetCommandEnabled(int key, bool enabled) = 0;
    virtual void StartBlink() = 0;
    virtual void StopBlink() = 0;
};

// Turns a key code into its display name (the standard names).
using KeyNameFn = std::wstring (*)(std::uint8_t code);

// What the cursor poll found: the indicator and status text to show. An empty
// optional leaves that part of the display as it was.
struct HoverOutcome {
    bool setIndicator = false;
    Indicator indicator = Indicator::Default;
    bool setText = false;
    std::wstring text;
};

// What the status line shows when the cursor poll reports `hover`. The line
// holds the text of the last action (`actionText`); the key under the mouse may
// show its assignment in its place while the mouse stays on it, and moving off
// brings the action's text back. A notice (`held`: a refusal, a reason, a
// warning) keeps the line until the next action, whatever the mouse does. An
// outcome that sets nothing changes nothing.
HoverOutcome StatusForHover(const HoverOutcome& hover, const std::wstring& actionText, bool held);

class KeyboardView {
public:
    KeyboardView(KeyboardConfig& config, KeySurface& surface, KeyNameFn keyName);

    // The language texts of the status line (English without a context).
    void UseTexts(const AppContext& app) { app_ = &app; }

    // The most standard keys that can carry a macro or an application at once;
    // another key picked then gets neither (MACRO and APP greyed, LimitNotice says why).
    static constexpr int kLentKeyLimit = 8;

    // Places of the keys, from the main skin (client pixels): standard key k,
    // T-key i. A place for an index past the keys is ignored.
    void PlaceKey(int k, const SkinRect& place);
    void PlaceTKey(int i, const SkinRect& place);

    // The selection (-1 = none): the slot an assignment goes to, the T-key or
    // the standard key picked.
    int SelectedSlot() const { return selSlot_; }
    int SelectedTKey() const { return selTKey_; }
    int SelectedKey() const { return selKey_; }
    bool HasSelectedSlot() const { return selSlot_ >= 0 && selSlot_ < SLOT_COUNT; }
    // The macro events the active profile's slots held at the last refresh or store.
    int MacroEventsShown() const { return macroUsed_; }
    // The standard keys that showed a macro or an application at the last refresh.
    int LentKeysShown() const { return lentKeyCount_; }
    // A new opening of the window: nothing selected, nothing counted. Touches no key.
    void StartOver();

    // A CurrantProfile that names no profile and is not the "no profile" value 5
    // (204, negative, 6 and more) becomes 0: every display operation indexes the
    // profiles with it. Returns true when it was changed.
    static bool NormalizeProfile(KeyboardConfig& config);

    // The active profile's record. While CurrantProfile is 5 (no editable profile)
    // this is an empty profile that is never saved, so nothing reads past the five.
    ProfileConfig& Active();
    const ProfileConfig& Active() const;
    bool HasEditableProfile() const;

    void ResetSelection(int mode);
    void RefreshKeyboard();
    void ShowProfile(int n);
    void ShowMode(int m);
    void LockStandardKeys(bool lock);
    void ShowKeyAssignments();

    // Light or unlight standard key k (the Enter region button's look for key 70).
    void HighlightKey(int k, bool on);

    // Status text naming the selected key's assignment: the selected slot's
    // macro (with its repeat count), application or key, else the key the
    // selected standard key is remapped to ("" when none).
    std::wstring DescribeSlot();
    // A macro's name, and how many times it repeats when that is a count.
    std::wstring DescribeMacro(const MacroGroup& macro) const;
    // What the status line says when the selected standard key is at the
    // eight-key limit ("" otherwise).
    std::wstring LimitNotice() const;
    std::wstring DescribeApp(const std::wstring& appPath) const;

    // Picking keys on the on-screen keyboard (a T-key, or standard key k).
    void PickTKey(int index);
    void PickStandardKey(int k);
    void SelectSlotForKey(int k);
    void ReleaseUnusedSlots();
    void UpdateAssignButtons();
    // Empties the selected slot and the selected key's remap and ends the
    // selection. True when something was assigned or remapped before.
    bool ClearSelected();
    // Stores an application launch in the selected slot (mirrored in the selected
    // standard key's remap). False when no slot is selected.
    bool StoreApplication(const std::wstring& path);
    // A cancelled assignment gives the lent slot back when the selection had only
    // reserved it; a slot holding an assignment keeps its key.
    void GiveBackSelectedSlot();

    // The macro events the active profile's slots hold, each slot counted at
    // most 5440, leaving out slot `exceptSlot` (the one an assignment replaces):
    // counted from the slots themselves, so it cannot drift from them.
    int MacroEventsUsed(int exceptSlot) const;
    // The macro steps the selected slot can take: the profile's 5440 less what
    // the other slots hold (0 when no slot is selected).
    int MacroRoomForSelection() const;
    enum class MacroStore { Stored, OverBudget, NoSlot };
    // Stores `macro` in the selected slot when the profile's budget of 5440
    // events allows it (a standard key loses its remap to another key); nothing
    // changes otherwise.
    MacroStore StoreMacro(const MacroGroup& macro);
    // The macro the T-key dialog starts from: the selected slot's, when it holds one.
    bool SelectedMacro(MacroGroup& macro);

    // The codes the single-key dialog starts from: the edited key's own code (0
    // for a T-key) and the key it sends now. False when nothing is selected.
    bool SingleKeyStart(std::uint8_t& source, std::uint8_t& target);
    // Remaps the selected key to `target`. A T-key's slot gets the single key; a
    // standard key's remap gets it and the slot lent to that key is emptied and
    // given back. False, changing nothing, when nothing is selected or `target`
    // names no key.
    bool StoreSingleKey(std::uint8_t source, std::uint8_t target);

    // One tick of the blink timer: flips the phase and shows it on the selected key.
    void BlinkTick();
    int blinkPhase() const { return blinkPhase_; }

    // What the cursor at client point (x, y) shows.
    HoverOutcome HoverInfo(int x, int y);

private:
    bool HasSelectedTKey() const { return selTKey_ >= 0 && selSlot_ >= 0 && selSlot_ < TKEY_COUNT; }
    bool HasSelectedKey() const { return selKey_ >= 0 && selKey_ < STANDARD_KEY_COUNT; }
    // The selected slot's and the selected standard key's entries in the active
    // profile (nullptr when none is selected).
    ButtonConfig* SelectedSlotEntry();
    SwapKeyEntry* SelectedSwap();
    void ForgetSelection() { selSlot_ = selKey_ = selTKey_ = -1; }
    // True when standard key k is drawn by the Enter region button, not as a key.
    bool IsEnterRegion(int k) const { return k == ENTER_KEY_INDEX && ui_.HasEnterRegion(); }
    // Makes standard key k usable or not. The Enter region button shows
    // `enterLook` (its look is its light); a key button is unlit first when `unlight`.
    void SetStandardKeyUsable(int k, bool usable, EnterLook enterLook, bool unlight);

    KeyboardConfig& config_;
    KeySurface& ui_;
    KeyNameFn keyName_;
    const AppContext* app_ = nullptr;
    std::wstring Text(const UiText& t) const { return app_ ? app_->Text(t) : t.english; }
    ProfileConfig noProfile_;
    int blinkPhase_ = 0;
    std::array<SkinRect, STANDARD_KEY_COUNT> keyRects_{};
    std::array<SkinRect, TKEY_COUNT> tkeyRects_{};
    int selSlot_ = -1;
    int selTKey_ = -1;
    int selKey_ = -1;
    int macroUsed_ = 0;
    // Lent slots whose key carries an application or a macro (counted while Mode is 1).
    int lentKeyCount_ = 0;
    // The selected standard key cannot take a macro or an application: kLentKeyLimit
    // keys hold one already (MACRO and APP are disabled for that reason).
    bool atLentKeyLimit_ = false;
};

// PtInRect's rule: left and top inside, right and bottom outside.
inline bool PointIn(const SkinRect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace zavo
