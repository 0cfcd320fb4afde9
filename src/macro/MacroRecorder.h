// The keystroke recorder: turns the keyboard hook's key reports into a delay
// event and a key event of the editor's macro, and into lines of its two lists.
// It is fed the report, the tick count and the layout code, so it runs the same
// under a test as behind the editor window. Loading, installing and removing the
// hook are the window's: the results say when the hook must be removed.
#pragma once
#include <bitset>
#include <cstdint>
#include <string>

#include "macro/MacroLists.h"
#include "macro/MacroModel.h"

namespace zavo {

// The last recorded report, shared by every editor of the process (at most one
// records at a time).
struct RecorderMemory {
    std::int32_t LastVk = 0;
    std::int32_t LastUp = 0;
    std::uint32_t LastTick = 0;  // time of the last recorded key event; 0 = none
};
RecorderMemory& SharedRecorderMemory();

class MacroRecorder {
public:
    MacroRecorder(MacroRecording& macro, MacroLists& lists, const CommandNames& names,
                  RecorderMemory& memory = SharedRecorderMemory());

    bool IsRecording() const { return recording_; }

    // Empties the macro and both lists and starts recording. The last report is
    // remembered across recordings, so a first report repeating it is dropped.
    void Start();

    enum class KeyResult {
        NotRecording,  // answer 0
        Full,          // fewer than two free entries: recording ended; remove the hook; answer 0
        // Same key and direction as the last report (a held key), or the
        // release of a key pressed before the recording started (the Enter
        // that pressed Record): nothing recorded; answer 0.
        Repeated,
        Recorded,  // answer 1
        // Escape pressed a second time right after an Escape press and
        // release: the first Escape is taken out again and the recording ends
        // as Stop ends it; remove the hook; answer 0.
        Left,
    };
    // The way out of a recording that needs no mouse: every key is recorded,
    // Enter and a single Escape included, so leaving takes a key that no
    // macro is likely to hold, Escape twice in a row.
    static constexpr std::int32_t kLeaveVk = 0x1B;  // VK_ESCAPE

    // One report: virtual-key code, release flag (0 press, anything else
    // release), the millisecond tick count, and the layout code ("JP" records
    // virtual-key 0xEB as key code 0x9D and 0xFF as 0x9E). On Recorded, *keyName
    // (when given) receives the key's name for the debug output.
    KeyResult OnKeyReport(std::int32_t vk, std::uint32_t releaseFlag, std::uint32_t tick,
                          const std::wstring& layoutCode, std::wstring* keyName = nullptr);

    enum class CommandResult {
        Ignored,  // not recording, or no command chosen
        Full,     // Count 5432 or more: recording ended; remove the hook
        Appended,
    };
    // Appends a command (with the delay before it) while recording. The next
    // delay is measured from `tick`; the last key (held-key filter) stays.
    CommandResult AppendCommand(int command, std::uint32_t tick);

    // The stop button: while recording, appends the closing delay of 0 ms when
    // the macro ends with an event (not when IgnoreDelay is 1 or the macro is
    // full) and rebuilds the lists; then ends recording.
    void Stop();
    // Every other action that ends a recording: no closing delay.
    void End();

private:
    // Whether the macro ends with a press and release of key `code` (the
    // delay between them included).
    bool EndsWithKeyStroke(std::uint8_t code) const;
    // Takes that last key stroke and the delay before it out again.
    void DropLastKeyStroke();
    void AppendDelay(std::uint32_t tick);
    std::uint8_t DelayUnitsAt(std::uint32_t tick);
    void Append(MacroEvent e);
    void EndRecording();

    MacroRecording& macro_;
    MacroLists& lists_;
    const CommandNames& names_;
    RecorderMemory& memory_;
    bool recording_ = false;
    // The keys (virtual-key codes) whose press this recording holds and
    // whose release it has not recorded yet.
    std::bitset<256> down_;
};

}  // namespace zavo
