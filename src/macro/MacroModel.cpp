#include "macro/MacroModel.h"

#include <algorithm>
#include <climits>

#include "macro/KeyNames.h"

namespace zavo {

MacroEventKind KindOf(MacroEvent e) {
    if (e.Code == MACRO_DELAY_CODE) return MacroEventKind::Delay;
    if (e.Code == MACRO_COMMAND_CODE) return MacroEventKind::Command;
    return MacroEventKind::Key;
}

void MacroRecording::Clear() { *this = MacroRecording(); }

int MacroRecording::ValidCount() const { return std::clamp<std::int32_t>(Count, 0, MACRO_EVENT_MAX); }

bool SameContent(const MacroRecording& a, const MacroRecording& b) {
    const int count = a.ValidCount();
    return count == b.ValidCount() && a.IgnoreDelay == b.IgnoreDelay && a.DefaultDelay == b.DefaultDelay &&
           a.DefaultDelayValue == b.DefaultDelayValue &&
           std::equal(a.Events.begin(), a.Events.begin() + count, b.Events.begin());
}

CommandNames MakeCommandNames(const std::vector<std::wstring>& langTexts) {
    // Language module entries of commands 0..19, in command order.
    static constexpr int kTextIndex[MACRO_COMMAND_COUNT - 2] = {29, 30, 31, 32, 33, 34, 35, 36, 37, 38,
                                                                39, 40, 76, 77, 41, 42, 43, 44, 45, 78};
    CommandNames names;
    for (int i = 0; i < MACRO_COMMAND_COUNT - 2; ++i) {
        size_t at = static_cast<size_t>(kTextIndex[i]);
        if (at < langTexts.size()) names[static_cast<size_t>(i)] = langTexts[at];
    }
    names[20] = L"Scroll Up";
    names[21] = L"Scroll Down";
    return names;
}

std::wstring CommandName(const CommandNames& names, int index) {
    if (index < 0 || index >= MACRO_COMMAND_COUNT) return L"";
    return names[static_cast<size_t>(index)];
}

std::wstring DelayLine(std::uint8_t units) { return std::to_wstring(units * MACRO_DELAY_UNIT_MS) + L" ms"; }

std::wstring KeyLine(MacroEvent e) { return MacroKeyName(e.Code) + ((e.Value & 1) ? L" Press" : L" Release"); }

std::int32_t ParseDecimal(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    return static_cast<std::int32_t>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

int DelayUnits(std::int32_t ms, int lo, int hi) { return std::clamp(ms / MACRO_DELAY_UNIT_MS, lo, hi); }

}  // namespace zavo
