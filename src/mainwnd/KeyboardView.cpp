#include "mainwnd/KeyboardView.h"

#include <algorithm>

#include "platform/TextFill.h"
#include "app/UiTexts.h"
#include "config/ProfileEdits.h"
#include "macro/KeyCapture.h"
#include "macro/KeyTables.h"

namespace zavo {

namespace {

bool IsKeyIndex(std::uint8_t code) { return IsKeySet(code) && code < STANDARD_KEY_COUNT; }

// A lent slot is free when it is lent to no key.
bool IsFreeLentSlot(const ButtonConfig& slot) { return !IsKeySet(slot.Mappinkey); }

}  // namespace

HoverOutcome StatusForHover(const HoverOutcome& hover, const std::wstring& actionText, bool held) {
    HoverOutcome out;
    if (held) return out;
    out.setIndicator = hover.setIndicator;
    out.indicator = hover.indicator;
    out.setText = hover.setText;
    // Off every assigned key: the text of the last action, not an empty line.
    if (hover.setText) out.text = hover.text.empty() ? actionText : hover.text;
    return out;
}

KeyboardView::KeyboardView(KeyboardConfig& config, KeySurface& surface, KeyNameFn keyName)
    : config_(config), ui_(surface), keyName_(keyName) {}

bool KeyboardView::NormalizeProfile(KeyboardConfig& config) {
    const int p = config.CurrantProfile;
    if (p >= 0 && p <= NO_PROFILE) return false;
    config.CurrantProfile = 0;
    return true;
}

bool KeyboardView::HasEditableProfile() const {
    return config_.CurrantProfile >= 0 && config_.CurrantProfile < PROFILE_COUNT;
}

ProfileConfig& KeyboardView::Active() {
    if (HasEditableProfile()) return config_.Profile[static_cast<size_t>(config_.CurrantProfile)];
    // Whatever was done to the stand-in last time is undone, so it always reads empty.
    noProfile_ = ProfileConfig{};
    return noProfile_;
}

const ProfileConfig& KeyboardView::Active() const {
    static const ProfileConfig kEmpty{};
    return HasEditableProfile() ? config_.Profile[static_cast<size_t>(config_.CurrantProfile)] : kEmpty;
}

void KeyboardView::PlaceKey(int k, const SkinRect& place) {
    if (k >= 0 && k < STANDARD_KEY_COUNT) keyRects_[static_cast<size_t>(k)] = place;
}

void KeyboardView::PlaceTKey(int i, const SkinRect& place) {
    if (i >= 0 && i < TKEY_COUNT) tkeyRects_[static_cast<size_t>(i)] = place;
}

void KeyboardView::StartOver() {
    ForgetSelection();
    macroUsed_ = 0;
}

ButtonConfig* KeyboardView::SelectedSlotEntry() {
    return HasSelectedSlot() ? &Active().Button[static_cast<size_t>(selSlot_)] : nullptr;
}

SwapKeyEntry* KeyboardView::SelectedSwap() {
    return HasSelectedKey() ? &Active().SwapKey[static_cast<size_t>(selKey_)] : nullptr;
}

void KeyboardView::HighlightKey(int k, bool on) {
    if (k < 0 || k >= STANDARD_KEY_COUNT) return;
    if (IsEnterRegion(k))
        ui_.SetEnterLook(on ? EnterLook::Highlighted : EnterLook::Default);
    else
        ui_.SetKeyLatched(k, on);
}

void KeyboardView::SetStandardKeyUsable(int k, bool usable, EnterLook enterLook, bool unlight) {
    if (IsEnterRegion(k)) {
        ui_.SetEnterLook(enterLook);
        ui_.SetEnterEnabled(usable);
        return;
    }
    if (unlight) ui_.SetKeyLatched(k, false);
    ui_.SetKeyEnabled(k, usable);
}

void KeyboardView::ResetSelection(int mode) {
    ui_.StopBlink();
    ProfileConfig& p = Active();
    for (int i = 0; i < TKEY_COUNT; ++i) ui_.SetTKeyLatched(i, IsAssigned(p.Button[static_cast<size_t>(i)].FunID));
    // Nothing stays selected: a later Clear must not reach a key of another
    // profile or of the same profile after an apply.
    ForgetSelection();
    atLentKeyLimit_ = false;
    ui_.SetCommandEnabled(cmd::ASSIGN_CLEAR, false);
    if (mode == 0 || mode == 1 || mode == 2) {
        const bool enable = mode != 0;
        for (int key : {cmd::ASSIGN_APP, cmd::ASSIGN_MACRO, cmd::ASSIGN_KEY}) ui_.SetCommandEnabled(key, enable);
    }
}

void KeyboardView::RefreshKeyboard() {
    ResetSelection(0);
    ProfileConfig& p = Active();
    for (int e = 0; e < SLOT_COUNT; ++e) {
        ButtonConfig& slot = p.Button[static_cast<size_t>(e)];
        const bool assigned = IsAssigned(slot.FunID);
        if (e >= FIRST_LENT_SLOT) {
            if (IsKeySet(slot.Mappinkey)) {
                HighlightKey(slot.Mappinkey, assigned);
                // A lent slot that holds nothing gives its key back.
                if (!assigned) slot.Mappinkey = KEY_NONE;
            }
        } else {
            ui_.SetTKeyLatched(e, assigned);
        }
    }
    macroUsed_ = MacroEventsUsed(-1);
    for (int k = 0; k < STANDARD_KEY_COUNT; ++k)
        if (p.SwapKey[static_cast<size_t>(k)].IsChanged == 1) HighlightKey(k, true);
    ShowMode(config_.Mode);
}

void KeyboardView::ShowProfile(int n) {
    if (n >= 0 && n < PROFILE_COUNT) {
        for (int i = 0; i < PROFILE_COUNT; ++i)
            ui_.SetCommandLatched(cmd::PROFILE_BUTTONS[static_cast<size_t>(i)], i == n);
    }
    if (n == NO_PROFILE) {
        for (int key : cmd::PROFILE_BUTTONS) ui_.SetCommandLatched(key, false);
        for (int i = 0; i < TKEY_COUNT; ++i) ui_.SetTKeyEnabled(i, false);
        for (int k = 0; k < STANDARD_KEY_COUNT; ++k) SetStandardKeyUsable(k, false, EnterLook::Default, false);
        return;
    }
    // Showing a real profile ends the lock of "no profile" on the T-keys.
    for (int i = 0; i < TKEY_COUNT; ++i) ui_.SetTKeyEnabled(i, true);
    RefreshKeyboard();
}

void KeyboardView::ShowMode(int m) {
    ui_.SetCommandLatched(cmd::MODE1, m != 0);
    ui_.SetCommandLatched(cmd::MODE0, m == 0);
    LockStandardKeys(m == 0);
}

void KeyboardView::LockStandardKeys(bool lock) {
    // Without an editable profile the standard keys stay locked in either mode.
    lock = lock || !HasEditableProfile();
    for (int k = 0; k < STANDARD_KEY_COUNT; ++k)
        SetStandardKeyUsable(k, !lock, lock ? EnterLook::Locked : EnterLook::Default, true);
    ShowKeyAssignments();
}

void KeyboardView::ShowKeyAssignments() {
    for (int k = 0; k < STANDARD_KEY_COUNT; ++k) HighlightKey(k, false);
    if (config_.Mode == 0) return;
    ProfileConfig& p = Active();
    lentKeyCount_ = 0;
    for (int e = FIRST_LENT_SLOT; e < SLOT_COUNT; ++e) {
        const ButtonConfig& slot = p.Button[static_cast<size_t>(e)];
        if (IsKeySet(slot.Mappinkey) && (slot.FunID == FUNID_APP || slot.FunID == FUNID_MACRO)) {
            HighlightKey(slot.Mappinkey, true);
            ++lentKeyCount_;
        }
    }
    for (int k = 0; k < STANDARD_KEY_COUNT; ++k)
        if (p.SwapKey[static_cast<size_t>(k)].IsChanged == 1) HighlightKey(k, true);
}

std::wstring KeyboardView::DescribeApp(const std::wstring& appPath) const {
    const size_t slash = appPath.rfind(L'\\');
    std::wstring name = slash == std::wstring::npos ? appPath : appPath.substr(slash + 1);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    return name;
}

std::wstring KeyboardView::DescribeMacro(const MacroGroup& macro) const {
    if (macro.RepeatOption != 4) return macro.MacroName;
    return FillIn(Text(kMacroRepeats), {macro.MacroName, std::to_wstring(macro.RepeatTimes)});
}

std::wstring KeyboardView::DescribeSlot() {
    if (const ButtonConfig* slot = SelectedSlotEntry()) {
        switch (slot->FunID) {
            case FUNID_MACRO:
                return DescribeMacro(slot->Macro);
            case FUNID_SINGLEKEY:
                return keyName_ ? keyName_(slot->SingleKey) : L"";
            case FUNID_APP:
                return DescribeApp(slot->AppPath);
            default:
                break;
        }
    }
    // A standard key remapped to another key names that key, as a T-key does.
    if (const SwapKeyEntry* swap = SelectedSwap()) {
        if (swap->IsChanged == 1 && keyName_) return keyName_(swap->AssKey);
    }
    return L"";
}

std::wstring KeyboardView::LimitNotice() const { return atLentKeyLimit_ ? Text(kLentKeysFull) : L""; }

void KeyboardView::PickTKey(int index) {
    if (index < 0 || index >= TKEY_COUNT || !HasEditableProfile()) return;
    ResetSelection(2);
    ui_.StartBlink();
    selSlot_ = index;
    selTKey_ = index;
    selKey_ = -1;
    ShowKeyAssignments();
    ShowMode(config_.Mode);
    UpdateAssignButtons();
}

void KeyboardView::PickStandardKey(int k) {
    if (k < 0 || k >= STANDARD_KEY_COUNT || !HasEditableProfile()) return;
    ReleaseUnusedSlots();
    ShowKeyAssignments();
    ResetSelection(1);
    selKey_ = k;
    UpdateAssignButtons();
    SelectSlotForKey(k);
    ui_.StartBlink();
}

void KeyboardView::SelectSlotForKey(int k) {
    ReleaseUnusedSlots();
    ProfileConfig& p = Active();
    for (int j = FIRST_LENT_SLOT; j < SLOT_COUNT; ++j) {
        if (p.Button[static_cast<size_t>(j)].Mappinkey == k) {
            selSlot_ = j;
            selKey_ = k;
            return;
        }
    }
    for (int j = FIRST_LENT_SLOT; j < SLOT_COUNT; ++j) {
        if (IsFreeLentSlot(p.Button[static_cast<size_t>(j)])) {
            // Only reserved: Mappinkey is written when an assignment is stored.
            selSlot_ = j;
            selKey_ = k;
            break;
        }
    }
    ShowKeyAssignments();
}

void KeyboardView::ReleaseUnusedSlots() {
    ProfileConfig& p = Active();
    for (int e = FIRST_LENT_SLOT; e < SLOT_COUNT; ++e) {
        ButtonConfig& slot = p.Button[static_cast<size_t>(e)];
        if (IsKeySet(slot.Mappinkey) && !IsAssigned(slot.FunID)) slot.Mappinkey = KEY_NONE;
    }
}

void KeyboardView::UpdateAssignButtons() {
    const ButtonConfig* selected = SelectedSlotEntry();
    if (selTKey_ >= 0 && selected) ui_.SetCommandEnabled(cmd::ASSIGN_CLEAR, IsAssigned(selected->FunID));
    if (!HasSelectedKey()) return;
    const ProfileConfig& p = Active();
    const int k = selKey_;
    const bool changed = p.SwapKey[static_cast<size_t>(k)].IsChanged == 1;
    const bool hasLentSlot = std::any_of(p.Button.begin() + FIRST_LENT_SLOT, p.Button.end(),
                                         [k](const ButtonConfig& s) { return s.Mappinkey == k; });
    bool clear, macroAndApp;
    atLentKeyLimit_ = false;
    if (hasLentSlot) {
        clear = macroAndApp = true;
    } else if (lentKeyCount_ < kLentKeyLimit) {
        clear = changed;
        macroAndApp = true;
    } else {
        clear = changed;
        macroAndApp = false;
        atLentKeyLimit_ = true;
    }
    ui_.SetCommandEnabled(cmd::ASSIGN_CLEAR, clear);
    ui_.SetCommandEnabled(cmd::ASSIGN_MACRO, macroAndApp);
    ui_.SetCommandEnabled(cmd::ASSIGN_APP, macroAndApp);
}

bool KeyboardView::ClearSelected() {
    bool changed = false;
    if (ButtonConfig* slot = SelectedSlotEntry()) {
        changed = IsAssigned(slot->FunID);
        const std::wstring appPath = slot->AppPath;  // the path is kept
        *slot = ButtonConfig{};
        slot->FunID = FUNID_NONE;
        slot->Mappinkey = KEY_NONE;
        slot->AppPath = appPath;
    }
    if (SwapKeyEntry* swap = SelectedSwap()) {
        changed = changed || swap->IsChanged != 0;
        ClearSwapKey(*swap);
    }
    ForgetSelection();
    ui_.StopBlink();
    ReleaseUnusedSlots();
    RefreshKeyboard();
    ui_.SetCommandEnabled(cmd::ASSIGN_CLEAR, false);
    return changed;
}

bool KeyboardView::StoreApplication(const std::wstring& path) {
    ButtonConfig* selected = SelectedSlotEntry();
    if (!selected) return false;
    if (SwapKeyEntry* swap = SelectedSwap()) {
        swap->IsChanged = 1;
        swap->FunID = FUNID_APP;
        swap->AppPath = path;
    }
    ButtonConfig& slot = *selected;
    slot.FunID = FUNID_APP;
    slot.AppPath = path;
    slot.Macro.MacroName.clear();
    // The standard key the slot is lent to; a T-key's own slot is lent to none.
    slot.Mappinkey = selKey_ >= 0 ? static_cast<std::uint8_t>(selKey_) : KEY_NONE;
    return true;
}

void KeyboardView::GiveBackSelectedSlot() {
    ButtonConfig* slot = SelectedSlotEntry();
    // Only a slot the selection merely reserved goes back; one that holds an
    // assignment keeps its key, so a cancelled dialog unlinks nothing.
    if (slot && !IsAssigned(slot->FunID)) slot->Mappinkey = KEY_NONE;
}

int KeyboardView::MacroEventsUsed(int exceptSlot) const {
    const ProfileConfig& p = Active();
    int used = 0;
    for (int s = 0; s < SLOT_COUNT; ++s) {
        const ButtonConfig& slot = p.Button[static_cast<size_t>(s)];
        if (s == exceptSlot || slot.FunID != FUNID_MACRO) continue;
        used += std::min<int>(slot.Macro.MacroLength, MACRO_EVENT_MAX);
    }
    return used;
}

int KeyboardView::MacroRoomForSelection() const {
    if (!HasSelectedSlot()) return 0;
    return std::max(0, MACRO_EVENT_MAX - MacroEventsUsed(selSlot_));
}

KeyboardView::MacroStore KeyboardView::StoreMacro(const MacroGroup& macro) {
    if (!HasSelectedSlot()) return MacroStore::NoSlot;
    const int length = std::min<int>(macro.MacroLength, MACRO_EVENT_MAX);
    if (MacroEventsUsed(selSlot_) + length > MACRO_EVENT_MAX) return MacroStore::OverBudget;
    if (SwapKeyEntry* swap = SelectedSwap()) swap->IsChanged = 0;
    ButtonConfig& slot = *SelectedSlotEntry();
    slot.FunID = FUNID_MACRO;
    slot.Macro = macro;
    slot.Macro.MacroLength = static_cast<std::uint16_t>(length);
    slot.Mappinkey = selKey_ >= 0 ? static_cast<std::uint8_t>(selKey_) : KEY_NONE;
    macroUsed_ = MacroEventsUsed(-1);
    return MacroStore::Stored;
}

bool KeyboardView::SelectedMacro(MacroGroup& macro) {
    const ButtonConfig* slot = SelectedSlotEntry();
    if (!slot || slot->FunID != FUNID_MACRO) return false;
    macro = slot->Macro;
    // A length read from a damaged file never reaches past the events.
    macro.MacroLength = static_cast<std::uint16_t>(std::min<int>(macro.MacroLength, MACRO_EVENT_MAX));
    return true;
}

bool KeyboardView::SingleKeyStart(std::uint8_t& source, std::uint8_t& target) {
    if (HasSelectedTKey()) {
        source = 0;
        target = SelectedSlotEntry()->AssKey;
        return true;
    }
    const SwapKeyEntry* swap = SelectedSwap();
    if (!swap) return false;
    source = KeyIndexToKeyCode(selKey_);
    target = swap->AssKey;
    return true;
}

bool KeyboardView::StoreSingleKey(std::uint8_t source, std::uint8_t target) {
    if (!IsCapturedKey(target)) return false;
    if (HasSelectedTKey()) {
        ButtonConfig& slot = *SelectedSlotEntry();
        slot.FunID = FUNID_SINGLEKEY;
        slot.SingleKey = target;
        slot.CurKey = source;
        slot.AssKey = target;
        slot.Macro.MacroName.clear();
        return true;
    }
    SwapKeyEntry* selectedSwap = SelectedSwap();
    if (!selectedSwap) return false;
    SwapKeyEntry& swap = *selectedSwap;
    swap.FunID = FUNID_SINGLEKEY;
    swap.IsChanged = 1;
    swap.AssKey = target;
    swap.CurKey = source;
    // The remap lives in the key's entry: a slot lent to the key is emptied and
    // given back, so it no longer claims the key (or a part of the budget).
    if (selSlot_ >= FIRST_LENT_SLOT && HasSelectedSlot()) {
        ButtonConfig& slot = *SelectedSlotEntry();
        if (slot.Mappinkey == selKey_ || !IsAssigned(slot.FunID)) {
            const std::wstring appPath = slot.AppPath;
            slot = ButtonConfig{};
            slot.AppPath = appPath;
        }
    }
    macroUsed_ = MacroEventsUsed(-1);
    return true;
}

void KeyboardView::BlinkTick() {
    blinkPhase_ ^= 1;
    const bool on = blinkPhase_ == 1;
    if (selTKey_ >= 0 && selTKey_ < TKEY_COUNT) ui_.SetTKeyLatched(selTKey_, on);
    if (HasSelectedKey()) HighlightKey(selKey_, on);
}

HoverOutcome KeyboardView::HoverInfo(int x, int y) {
    HoverOutcome out;
    auto show = [&out](Indicator ind, std::wstring text) {
        out.setIndicator = out.setText = true;
        out.indicator = ind;
        out.text = std::move(text);
    };
    ProfileConfig& p = Active();
    bool toKeys = false;
    for (int e = 0; e < SLOT_COUNT && !toKeys; ++e) {
        const ButtonConfig& slot = p.Button[static_cast<size_t>(e)];
        if (!IsAssigned(slot.FunID)) continue;
        SkinRect r;
        if (e >= FIRST_LENT_SLOT) {
            // In mode 0 the standard keys show nothing: the poll stops at the first lent slot.
            if (config_.Mode == 0) return out;
            if (!IsKeyIndex(slot.Mappinkey)) continue;
            r = keyRects_[slot.Mappinkey];
        } else {
            r = tkeyRects_[static_cast<size_t>(e)];
        }
        if (!PointIn(r, x, y)) {
            show(Indicator::Default, L"");
            continue;
        }
        if (slot.FunID == FUNID_MACRO) {
            show(Indicator::Macro, DescribeMacro(slot.Macro));
            return out;
        }
        if (slot.FunID == FUNID_APP) {
            show(Indicator::Launch, DescribeApp(slot.AppPath));
            return out;
        }
        if (slot.FunID == FUNID_SINGLEKEY && e < FIRST_LENT_SLOT) {
            show(Indicator::Key, keyName_ ? keyName_(slot.SingleKey) : L"");
            return out;
        }
        out.setIndicator = true;
        out.indicator = Indicator::Default;
        toKeys = true;
    }
    if (config_.Mode == 0) return out;
    for (int k = 0; k < STANDARD_KEY_COUNT; ++k) {
        const SwapKeyEntry& swap = p.SwapKey[static_cast<size_t>(k)];
        if (swap.IsChanged != 1) continue;
        if (PointIn(keyRects_[static_cast<size_t>(k)], x, y)) {
            show(Indicator::Key, keyName_ ? keyName_(swap.AssKey) : L"");
            return out;
        }
        show(Indicator::Default, L"");
    }
    return out;
}

}  // namespace zavo
