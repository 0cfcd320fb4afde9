// Which of the macro editor's buttons can be pressed, without any window. The
// editor reports what happened (a macro became current, a recording started, a
// line was selected ...) and shows the states this returns; the rules live
// here so they can be read and tested in one place.
//
// Buttons are the skin's numbers 1..21. Only twelve of them ever change; the
// others (OK, Cancel, Save, New, Import, end-recording, the name, the two delay
// options) can always be pressed. The delay value box follows the delay-line
// buttons.
#pragma once
#include <bitset>
#include <initializer_list>

namespace zavo {

namespace editor_button {
constexpr int Export = 6;
constexpr int DeleteMacro = 7;
constexpr int Record = 8;
constexpr int Stop = 9;
constexpr int DeleteLine = 10;
constexpr int Up = 11;
constexpr int Down = 12;
constexpr int ApplyDelay = 13;
constexpr int InsertCommand = 15;
constexpr int Plus = 17;
constexpr int Minus = 18;
constexpr int Command = 21;
}  // namespace editor_button

class MacroEditorButtons {
public:
    static constexpr int COUNT = 21;

    // The window has just opened: no macro is current.
    MacroEditorButtons();

    // Button n (1..21) can be pressed; numbers outside 1..21 cannot.
    bool Enabled(int n) const;
    bool DelayBoxEnabled() const { return m_DelayBox; }

    // A new macro's file was created and it became current.
    void MacroCreated();
    // A macro of the folder was picked from the name menu.
    void MacroPicked();
    // An import changes no state: the imported macro becomes current, and
    // picking it from the menu offers Record, Export and Delete.
    // The current macro's file was deleted: nothing is current, as at opening.
    void MacroDeleted();

    void RecordingStarted();
    // Any end of a recording (DONE, another button, the delay box taking the
    // focus): Stop can no longer be pressed, and after a recording neither can
    // Insert nor the command menu (no line is selected).
    void RecordingEnded();
    // Stop, or the macro became full: the command buttons go as well.
    void RecordingStopped();

    // A selection change in the event list: `line` (-1 = none) of `lineCount`.
    void EventLineSelected(int line, int lineCount);
    // A selection change in the delay list.
    void DelayLineSelected(bool selected);
    // The last event line was deleted: nothing is left to select.
    void EventListEmptied();

private:
    void Set(std::initializer_list<int> buttons, bool enable);
    // The lists were emptied or filled again: the line and delay buttons go.
    void NoLineSelected();

    std::bitset<COUNT + 1> m_Enabled;
    bool m_DelayBox = false;
    bool m_Recording = false;
};

}  // namespace zavo
