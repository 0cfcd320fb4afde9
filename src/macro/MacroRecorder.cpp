#include "macro/MacroRecorder.h"

#include "macro/KeyNames.h"
#include "macro/KeyTables.h"
#include "macro/MacroEdits.h"

namespace zavo {
namespace {

// The Japanese layout's keys whose virtual-key codes the table does not hold.
std::uint8_t RecordedKeyCode(std::int32_t vk, const std::wstring& layoutCode) {
    if (layoutCode == L"JP") {
        if (vk == 0xEB) return 0x9D;
        if (vk == 0xFF) return 0x9E;
    }
    return VkToKeyCode(vk);
}

}  // namespace

RecorderMemory& SharedRecorderMemory() {
    static RecorderMemory memory;
    return memory;
}

MacroRecorder::MacroRecorder(MacroRecording& macro, MacroLists& lists, const CommandNames& names,
                             RecorderMemory& memory)
    : macro_(macro), lists_(lists), names_(names), memory_(memory) {}

void MacroRecorder::Start() {
    macro_.Count = 0;
    macro_.Events.fill(MacroEvent{});
    lists_.Clear();
    down_.reset();
    recording_ = true;
}

MacroRecorder::KeyResult MacroRecorder::OnKeyReport(std::int32_t vk, std::uint32_t releaseFlag, std::uint32_t tick,
                                                    const std::wstring& layoutCode, std::wstring* keyName) {
    if (!recording_) return KeyResult::NotRecording;
    const std::int32_t up = releaseFlag != 0 ? 1 : 0;
    const std::uint8_t code = RecordedKeyCode(vk, layoutCode);
    if (vk == kLeaveVk && up == 0 && EndsWithKeyStroke(code)) {
        DropLastKeyStroke();
        memory_.LastVk = vk;
        memory_.LastUp = up;
        Stop();
        return KeyResult::Left;
    }
    // A key needs two entries: the delay before it and the key itself.
    if (macro_.ValidCount() > MACRO_EVENT_MAX - 2) {
        EndRecording();
        return KeyResult::Full;
    }
    if (vk == memory_.LastVk && up == memory_.LastUp) return KeyResult::Repeated;
    const std::size_t key = static_cast<std::size_t>(vk) & 0xFF;
    if (up == 1 && !down_[key]) return KeyResult::Repeated;
    down_[key] = up == 0;

    const std::wstring& name = MacroKeyName(code);
    if (keyName) *keyName = name;
    if (macro_.ValidCount() > 0) AppendDelay(tick);
    Append(KeyEvent(code, up == 0));
    lists_.AddEvent(name + (up == 0 ? L" Press" : L" Release"));

    memory_.LastTick = tick;
    memory_.LastVk = vk;
    memory_.LastUp = up;
    return KeyResult::Recorded;
}

MacroRecorder::CommandResult MacroRecorder::AppendCommand(int command, std::uint32_t tick) {
    if (!recording_ || command < 0 || command >= MACRO_COMMAND_COUNT) return CommandResult::Ignored;
    if (macro_.ValidCount() >= MACRO_COMMAND_LIMIT) {
        EndRecording();
        return CommandResult::Full;
    }
    if (macro_.ValidCount() > 0) AppendDelay(tick);
    Append(CommandEvent(static_cast<std::uint8_t>(command)));
    lists_.AddEvent(CommandName(names_, command));
    // The next delay counts from the command, so the delays before and after it
    // add up to the time that really passed.
    memory_.LastTick = tick;
    return CommandResult::Appended;
}

void MacroRecorder::Stop() {
    // The closing delay follows an event only: a recording that already ended
    // (Stop again, a full macro) or a macro ending with a delay gets none, so two
    // delays never follow each other and the lists stay in step. A full macro has
    // no room for it; it ends with its last key.
    const int count = macro_.ValidCount();
    const bool endsWithEvent =
        count >= 1 && KindOf(macro_.Events[static_cast<size_t>(count - 1)]) != MacroEventKind::Delay;
    if (recording_ && endsWithEvent && macro_.IgnoreDelay == 0 && count < MACRO_EVENT_MAX) {
        Append(DelayEvent(0));
        RebuildLists(macro_, names_, lists_);
    }
    EndRecording();
}

void MacroRecorder::End() { EndRecording(); }

void MacroRecorder::EndRecording() {
    recording_ = false;
    memory_.LastTick = 0;
}

bool MacroRecorder::EndsWithKeyStroke(std::uint8_t code) const {
    const int count = macro_.ValidCount();
    if (count < 3) return false;
    const auto at = [&](int i) { return macro_.Events[static_cast<size_t>(i)]; };
    return at(count - 3) == KeyEvent(code, true) && KindOf(at(count - 2)) == MacroEventKind::Delay &&
           at(count - 1) == KeyEvent(code, false);
}

void MacroRecorder::DropLastKeyStroke() {
    int count = macro_.ValidCount() - 3;
    if (count > 0 && KindOf(macro_.Events[static_cast<size_t>(count - 1)]) == MacroEventKind::Delay) --count;
    for (int i = count; i < macro_.ValidCount(); ++i) macro_.Events[static_cast<size_t>(i)] = MacroEvent{};
    macro_.Count = count;
    RebuildLists(macro_, names_, lists_);
}

void MacroRecorder::AppendDelay(std::uint32_t tick) {
    const std::uint8_t units = DelayUnitsAt(tick);
    Append(DelayEvent(units));
    lists_.AddDelay(DelayLine(units));
}

std::uint8_t MacroRecorder::DelayUnitsAt(std::uint32_t tick) {
    if (macro_.IgnoreDelay == 1) return 0;
    if (macro_.DefaultDelay == 1) {
        return static_cast<std::uint8_t>(DelayUnits(macro_.DefaultDelayValue, 1, MACRO_DELAY_MAX_UNITS));
    }
    if (memory_.LastTick == 0) memory_.LastTick = tick;
    // Unsigned: a tick count that wrapped around since the last key still
    // gives the real elapsed time.
    const std::uint32_t units = (tick - memory_.LastTick) / MACRO_DELAY_UNIT_MS;
    return static_cast<std::uint8_t>(units >= MACRO_DELAY_MAX_UNITS ? MACRO_DELAY_MAX_UNITS : units);
}

void MacroRecorder::Append(MacroEvent e) {
    if (macro_.ValidCount() >= MACRO_EVENT_MAX) return;  // callers check for room first
    macro_.Events[static_cast<size_t>(macro_.ValidCount())] = e;
    macro_.Count = macro_.ValidCount() + 1;
}

}  // namespace zavo
