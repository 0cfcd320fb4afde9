// zavocfg macro show FILE    the macro file as the macro editor lists it
// zavocfg macro expand FILE  the events the T-key dialog stores for it
#include <algorithm>
#include <cstdio>
#include <vector>

#include "Cli.h"
#include "config/Ini.h"
#include "macro/KeyNames.h"
#include "macro/MacroCommands.h"
#include "macro/MacroEdits.h"
#include "macro/MacroFiles.h"
#include "platform/FileSystem.h"

namespace {

using namespace zavo;

// Without a language module the commands are named by what they do.
CommandNames ToolCommandNames() {
    CommandNames names;
    for (int i = 0; i < MACRO_COMMAND_COUNT; ++i) names[static_cast<size_t>(i)] = CommandDescription(i);
    return names;
}

std::wstring Padded(std::wstring text, size_t width) {
    if (text.size() < width) text.append(width - text.size(), L' ');
    return text;
}

std::wstring Hex2(unsigned v) {
    wchar_t buf[8];
    std::swprintf(buf, 8, L"%02X", v & 0xFF);
    return buf;
}

void ShowCountNote(const std::wstring& path) {
    const std::int32_t stored = Settings().IniReadInt(path, L"Setting", L"Count", 0);
    if (stored < 0 || stored > MACRO_EVENT_MAX)
        zavocfg::Out(L"note: \"Count\" is " + std::to_wstring(stored) + L" in the file; it is read as " +
                     std::to_wstring(std::clamp<std::int32_t>(stored, 0, MACRO_EVENT_MAX)) + L"\n");
}

// Why the events of a file with a Count above 0 cannot be read: its "Macro"
// value is missing or not valid event data (they would read as zeros, that is
// as releases of no key). Empty when they can be read.
std::wstring UnreadableEventsNote(const std::wstring& path, std::int32_t count) {
    if (count <= 0) return L"";
    std::wstring stored;
    if (!Settings().IniReadRaw(path, L"Setting", L"Macro", stored))
        return L"note: the file has no \"Macro\" value, so its " + std::to_wstring(count) +
               L" events cannot be read; the editor would show them empty\n";
    std::vector<std::uint8_t> events(sizeof(MacroRecording::Events));
    if (!Settings().IniReadStruct(path, L"Setting", L"Macro", events.data(), events.size()))
        return L"note: the \"Macro\" value is not valid event data (" + std::to_wstring(stored.size()) +
               L" characters; " + std::to_wstring(2 * events.size() + 2) +
               L" hexadecimal digits with a matching checksum expected), so its " + std::to_wstring(count) +
               L" events cannot be read; the editor would show them empty\n";
    return L"";
}

int Show(const std::wstring& path) {
    MacroRecording macro;
    LoadMacroFile(path, macro);
    MacroLists lists;
    RebuildLists(macro, ToolCommandNames(), lists);

    zavocfg::Out(L"IgnoreDelay " + std::to_wstring(macro.IgnoreDelay) + L"  DefaultDelay " +
                 std::to_wstring(macro.DefaultDelay) + L"  DefaultDelayValue " +
                 std::to_wstring(macro.DefaultDelayValue) + L" ms  Count " + std::to_wstring(macro.Count) + L"\n");
    ShowCountNote(path);
    if (std::wstring note = UnreadableEventsNote(path, macro.Count); !note.empty()) {
        zavocfg::Out(note);
        return 0;
    }

    size_t width = 6;
    for (const std::wstring& line : lists.EventLines) width = std::max(width, line.size());
    width += 3;
    zavocfg::Out(Padded(L"Events", width) + L"Delays\n");
    const size_t rows = std::max(lists.EventLines.size(), lists.DelayLines.size());
    for (size_t i = 0; i < rows; ++i) {
        std::wstring left = i < lists.EventLines.size() ? lists.EventLines[i] : L"";
        std::wstring right = i < lists.DelayLines.size() ? lists.DelayLines[i] : L"";
        std::wstring row = right.empty() ? left : Padded(left, width) + right;
        zavocfg::Out(row + L"\n");
    }
    return 0;
}

std::wstring Describe(MacroEvent e) {
    switch (KindOf(e)) {
        case MacroEventKind::Delay:
            return DelayLine(e.Value);
        case MacroEventKind::Command:
            return L"command " + std::to_wstring(e.Value);
        case MacroEventKind::Key:
            break;
    }
    if (e.Code == 0xFA) return e.Value ? L"Scroll Up" : L"Scroll Down";
    if (e.Code >= 0xFB && e.Code <= 0xFE)
        return L"device code " + Hex2(e.Code) + (e.Value & 1 ? L" Press" : L" Release");
    return KeyName(e.Code) + ((e.Value & 1) ? L" Press" : L" Release");
}

int Expand(const std::wstring& path) {
    ShowCountNote(path);
    const std::int32_t count =
        std::clamp<std::int32_t>(Settings().IniReadInt(path, L"Setting", L"Count", 0), 0, MACRO_EVENT_MAX);
    zavocfg::Out(UnreadableEventsNote(path, count));
    const ExpandedMacro macro = LoadMacroForKey(path);
    zavocfg::Out(L"MacroLength " + std::to_wstring(macro.Length) + L"\n");
    for (int i = 0; i < macro.Length; ++i) {
        const MacroEvent e = macro.Events[static_cast<size_t>(i)];
        wchar_t index[16];
        std::swprintf(index, 16, L"%5d  ", i);
        zavocfg::Out(index + Hex2(e.Code) + L" " + Hex2(e.Value) + L"  " + Describe(e) + L"\n");
    }
    if (macro.Truncated)
        zavocfg::Out(
            L"note: the expanded commands pass 5440 events; the macro ends before the first one that "
            L"does not fit\n");
    return 0;
}

int Run(const zavocfg::Args& args) {
    if (args.size() != 2 || (args[0] != L"show" && args[0] != L"expand"))
        return zavocfg::Fail(L"usage: zavocfg macro show|expand FILE");
    const std::wstring& path = args[1];
    if (!fs::FileExists(path)) return zavocfg::Fail(L"cannot read " + path + L": no such file");
    std::string bytes;
    if (fs::Status read = fs::ReadWholeFile(path, bytes); !read)
        return zavocfg::Fail(L"cannot read " + DescribeFailure(read.At(path)));
    return args[0] == L"show" ? Show(path) : Expand(path);
}

}  // namespace

ZAVOCFG_COMMAND("macro", "macro show|expand FILE   a macro file as the editor lists it, or as a key stores it", Run);
