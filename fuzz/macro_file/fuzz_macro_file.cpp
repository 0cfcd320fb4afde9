// Feeds arbitrary bytes to the macro file loader as a macro file, then lists,
// edits and expands what it loaded: nothing may read or write outside the event
// blocks, and the results must keep their limits.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include <unistd.h>

#include "config/Ini.h"
#include "macro/MacroEdits.h"
#include "macro/MacroFiles.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

namespace {

const std::wstring& InputPath() {
    static const std::wstring path = zavo::text::FromUtf8("/tmp/fuzz_macro_file_" + std::to_string(getpid()) + ".ini");
    return path;
}

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    using namespace zavo;
    const std::wstring& path = InputPath();
    if (!fs::WriteFileAtomic(path, std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
    Settings().DropCache();

    MacroRecording macro;
    LoadMacroFile(path, macro);
    Check(macro.Count >= 0 && macro.Count <= MACRO_EVENT_MAX);
    Check(!(macro.IgnoreDelay == 1 && macro.DefaultDelay == 1));

    const CommandNames names = MakeCommandNames({});
    MacroLists lists;
    RebuildLists(macro, names, lists);
    const size_t lines = lists.EventLines.size() + lists.DelayLines.size();
    Check(lines == 0 || static_cast<int>(lines) == macro.Count);

    // A few edits at lines picked from the input.
    const int line = size > 0 ? data[0] : 0;
    MoveEventLineDown(macro, names, lists, line);
    MoveEventLineUp(macro, names, lists, line);
    ApplyDelayToLine(macro, lists, line, L"430");
    InsertCommandBefore(macro, names, lists, line, line % 23);
    DeleteEventLine(macro, names, lists, line);
    Check(macro.Count >= 0 && macro.Count <= MACRO_EVENT_MAX);

    const ExpandedMacro expanded = LoadMacroForKey(path);
    Check(expanded.Length >= 0 && expanded.Length <= MACRO_EVENT_MAX);
    for (int i = 0; i < expanded.Length; ++i) Check(expanded.Events[static_cast<size_t>(i)].Code != 0xEE);
    return 0;
}
