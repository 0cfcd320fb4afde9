// zavocfg: the settings inspector. Each command lives in its own cmd_*.cpp and
// registers itself with ZAVOCFG_COMMAND; main.cpp dispatches on the first word.
//
// Exit status: 0 done, 1 the checked data has problems (or a roundtrip refused
// because of them), 2 bad arguments or a path that cannot be read or written
// (one line on stderr naming it).
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace zavocfg {

using Args = std::vector<std::wstring>;  // the words after the command name

struct Command {
    const char* name;   // first word, e.g. "show" or "macro"
    const char* usage;  // one line for the usage text
    std::function<int(const Args&)> run;
};

struct Registrar {
    explicit Registrar(Command c);
};

#define ZAVOCFG_CONCAT2(a, b) a##b
#define ZAVOCFG_CONCAT(a, b) ZAVOCFG_CONCAT2(a, b)
#define ZAVOCFG_COMMAND(name, usage, fn) \
    static ::zavocfg::Registrar ZAVOCFG_CONCAT(zavocfg_reg_, __LINE__)({name, usage, fn})

// Console output as UTF-8 (natively) or UTF-16 to a Windows console.
void Out(const std::wstring& text);  // stdout, no newline added
void Err(const std::wstring& text);  // stderr, no newline added

// Prints "zavocfg: <message>" to stderr and returns 2.
int Fail(const std::wstring& message);

// A mistake in the command line: main prints "zavocfg: <message>" and exits 2.
struct UsageError {
    std::wstring message;
};

// Takes "--name VALUE" out of args; returns true when found. An empty VALUE is
// a UsageError (it would name the current folder without saying so).
bool TakeOption(Args& args, const std::wstring& name, std::wstring& value);
// Takes a "--flag" out of args.
bool TakeFlag(Args& args, const std::wstring& name);

// The per-user data folder with a trailing backslash: the application-data folder
// + "Brimvale\ZAVO\" on Windows; natively $XDG_DATA_HOME (or ~/.local/share) +
// "Brimvale/ZAVO/".
std::wstring DefaultDataFolder();
// --data DIR taken from args, or the default; always with a trailing separator.
std::wstring DataFolderFrom(Args& args);
// DIR with a trailing separator.
std::wstring WithSeparator(std::wstring dir);

// The paths of the six settings files in `dataFolder`: Config.config, then the
// five profile files.
std::vector<std::wstring> SettingsFiles(const std::wstring& dataFolder);
// The first of them that exists but cannot be read, as "path: reason"; empty
// when every one that exists can be read.
std::wstring UnreadableSettingsFile(const std::wstring& dataFolder);

// A new empty folder under the system's temporary folder, removed with the files
// in it when the object goes. path() is empty when it could not be made.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& path() const { return path_; }  // with its trailing separator

private:
    std::wstring path_;
};

}  // namespace zavocfg
