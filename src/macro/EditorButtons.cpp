#include "macro/EditorButtons.h"

#include <initializer_list>

#include "macro/MacroEdits.h"

namespace zavo {

using namespace editor_button;

MacroEditorButtons::MacroEditorButtons() {
    m_Enabled.set();
    m_Enabled.reset(0);
    MacroDeleted();
}

bool MacroEditorButtons::Enabled(int n) const { return n >= 1 && n <= COUNT && m_Enabled.test(static_cast<size_t>(n)); }

void MacroEditorButtons::Set(std::initializer_list<int> buttons, bool enable) {
    for (int n : buttons) m_Enabled.set(static_cast<size_t>(n), enable);
}

void MacroEditorButtons::NoLineSelected() {
    Set({DeleteLine, Up, Down, InsertCommand, Command, ApplyDelay, Minus, Plus}, false);
    m_DelayBox = false;
}

void MacroEditorButtons::MacroCreated() {
    // A new macro is empty: there is no line to move or delete yet.
    Set({Record, DeleteMacro}, true);
    Set({Stop}, false);
    NoLineSelected();
}

void MacroEditorButtons::MacroPicked() {
    // The lists were filled again: no line is selected.
    Set({Record, Export, DeleteMacro}, true);
    NoLineSelected();
}

void MacroEditorButtons::MacroDeleted() {
    Set({Export, DeleteMacro, Record, Stop}, false);
    NoLineSelected();
}

void MacroEditorButtons::RecordingStarted() {
    m_Recording = true;
    Set({Stop, InsertCommand, Command}, true);
    Set({ApplyDelay, Minus, Plus, DeleteLine, Up, Down}, false);
    m_DelayBox = false;
}

void MacroEditorButtons::RecordingEnded() {
    // A recording had no line selected (selections are ignored while it runs):
    // without one, Insert and the command menu do nothing once it is over. An
    // end without a recording leaves a selected line's buttons as they are.
    if (m_Recording) {
        RecordingStopped();
        return;
    }
    Set({Stop}, false);
}

void MacroEditorButtons::RecordingStopped() {
    m_Recording = false;
    Set({Stop, InsertCommand, Command}, false);
}

void MacroEditorButtons::EventLineSelected(int line, int lineCount) {
    const bool selected = line >= 0 && line < lineCount;
    Set({ApplyDelay, Minus, Plus}, false);
    m_DelayBox = false;
    Set({DeleteLine, InsertCommand, Command}, selected);
    const MoveButtons move = MoveButtonsFor(line, lineCount);
    Set({Up}, move.Up);
    Set({Down}, move.Down);
}

void MacroEditorButtons::DelayLineSelected(bool selected) {
    Set({DeleteLine, Up, Down, InsertCommand, Command}, false);
    Set({ApplyDelay, Minus, Plus}, selected);
    m_DelayBox = selected;
}

void MacroEditorButtons::EventListEmptied() { NoLineSelected(); }

}  // namespace zavo
