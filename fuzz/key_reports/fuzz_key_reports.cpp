// Key reports come from the keyboard hook of another process: any virtual-key
// code, release flag and tick count, in any order and any number. Each 10 bytes
// of input are one report (or, with bit 1 of the flag byte, a command), read as
// the recorder is fed them; the macro must keep its limits: never more than 5440
// events, key events pressed or released, delays and commands within range, and
// after Stop the two lists must match the events.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "macro/MacroLists.h"
#include "macro/MacroRecorder.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    using namespace zavo;
    if (size < 1) return 0;
    MacroRecording macro;
    macro.IgnoreDelay = data[0] & 1;
    macro.DefaultDelay = macro.IgnoreDelay ? 0 : (data[0] >> 1) & 1;
    macro.DefaultDelayValue = static_cast<std::int8_t>(data[0]) * 97;  // negative and large values too
    MacroLists lists;
    const CommandNames names = MakeCommandNames({});
    RecorderMemory memory;
    MacroRecorder recorder(macro, lists, names, memory);
    recorder.Start();
    std::uint32_t tick = 0;
    for (size_t at = 1; at + 10 <= size; at += 10) {
        std::int32_t vk;
        std::uint32_t step;
        std::memcpy(&vk, data + at, 4);
        std::memcpy(&step, data + at + 4, 4);
        const std::uint8_t flag = data[at + 8], layout = data[at + 9];
        tick += step;  // wraps like the system's tick count
        if (flag & 2) {
            recorder.AppendCommand(static_cast<int>(static_cast<std::int8_t>(layout)), tick);
        } else {
            std::wstring name;
            recorder.OnKeyReport(vk, flag & 1 ? static_cast<std::uint32_t>(step) | 1u : 0u, tick,
                                 layout & 1 ? L"JP" : L"EN", &name);
        }
        Check(macro.Count >= 0 && macro.Count <= MACRO_EVENT_MAX);
        if (!recorder.IsRecording()) break;
    }
    recorder.Stop();
    Check(macro.Count >= 0 && macro.Count <= MACRO_EVENT_MAX);
    for (int i = 0; i < macro.Count; ++i) {
        const MacroEvent e = macro.Events[static_cast<size_t>(i)];
        switch (KindOf(e)) {
            case MacroEventKind::Key:
                Check(e.Value <= 1);
                break;
            case MacroEventKind::Command:
                Check(e.Value < MACRO_COMMAND_COUNT);
                break;
            case MacroEventKind::Delay:
                break;
        }
    }
    const size_t lines = lists.EventLines.size() + lists.DelayLines.size();
    Check(lines == 0 || static_cast<int>(lines) == macro.Count);
    return 0;
}
