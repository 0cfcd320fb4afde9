// The command line of devicesim: either run the simulator, or hand one request to
// the simulator that is already running.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace devicesim {

// Where a request to the tool goes, by the window title the service looks up.
enum class Target : std::uint32_t { MainWindow = 0, LightWindow = 1, LoadingWindow = 2 };

const wchar_t* TargetTitle(Target target);

// One message the running simulator is asked to post to one of the tool's windows.
struct Request {
    Target target = Target::MainWindow;
    std::uint32_t message = 0;
    std::int64_t wParam = 0;
    std::int64_t lParam = 0;
    std::uint32_t count = 1;  // "flood": the same message this many times in one burst
};

struct Options {
    enum class Mode { Run, Send, Help } mode = Mode::Run;
    std::wstring dataFolder;      // with a trailing backslash; empty: the per-user default
    std::wstring logPath;         // empty: dataFolder + "devicesim.log"
    unsigned applyDelayMs = 500;  // between SVC_APPLY_PROFILE and the answer to "DLGLoading"
    bool hang = false;            // never answer an apply; block in sent commands
    bool dieOnApply = false;      // end the process in the middle of an apply, before its answer
    bool noDevice = false;        // do not write DEVICEPSTATS 1
    std::wstring controlPath;     // control file of requests (SimControl.h); empty: none
    Request request;              // Mode::Send
};

// The largest burst of "flood".
constexpr std::int64_t MAX_FLOOD = 100000;

// Parses the words of one request ("notify 11147", "light-sync 1 1"), as given
// after "send" or on a line of the control file.
bool ParseRequest(const std::vector<std::wstring>& words, Request& request, std::wstring& error);

// Parses the words after the program name. On failure returns false and sets
// `error` to one line naming the bad word.
bool ParseOptions(const std::vector<std::wstring>& args, Options& options, std::wstring& error);

// The text printed by --help and after a bad command line.
const wchar_t* UsageText();

}  // namespace devicesim
