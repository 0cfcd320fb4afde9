// The end-to-end test harness: real processes of the build (ZAVOConfig.exe,
// devicesim.exe) started, watched and driven from a GoogleTest program that runs
// under Wine. Link the library `zavo_e2e`; register tests with
//   zavo_gtest(NAME test.cpp LIBS zavo_e2e WINE_ONLY LABELS serial)
// ("serial": the tests own the window titles and the per-user folder of the Wine
// prefix while they run, and some move the real mouse).
//
// Everything waits with a timeout and returns a result instead of hanging; the
// objects end what they started when they go out of scope.
//
// Per-user data folder. Under Wine, SHGetFolderPathW(CSIDL_APPDATA) ignores the
// APPDATA and USERPROFILE environment variables: it follows the registry value
// HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell
// Folders\AppData, which is also how Windows redirects the folder. PrivateAppData
// points that value at a temporary folder for the test's lifetime and restores
// it afterwards (a value left behind by a test that was killed is recognised and
// reset by the next one). It also passes APPDATA in the children's environment.
//
// Paths: ZAVO_BIN_DIR (set by zavo_gtest) is a Unix path; BinDir() turns it into
// the Z: drive path Wine maps to "/".
//
// Real input: ClickAt uses SendInput, which Wine turns into real X pointer moves
// and button events, so hover, capture and click paths of the windows all run.
// XdoClickAt does the same through xdotool, input from outside Wine as a user's
// mouse gives it: Wine's CreateProcessW starts Unix programs too (the child
// inherits DISPLAY), though without a process handle to wait on, so RunXdotool
// runs it through /bin/sh and reads its exit status back from a file.
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zavo::e2e {

using Ms = std::chrono::milliseconds;
using EnvVars = std::vector<std::pair<std::wstring, std::wstring>>;

// ---- Paths --------------------------------------------------------------------

// "/a/b" -> "Z:\a\b"; a path that is already a Windows path is returned as is.
std::wstring WindowsPath(const std::wstring& path);
// The build's bin folder (ZAVO_BIN_DIR), with a trailing backslash; "" when unset.
std::wstring BinDir();
// BinDir() + name, e.g. BinPath(L"devicesim.exe").
std::wstring BinPath(const std::wstring& name);
// Copies a folder tree (paths without a trailing separator) with the Windows
// file functions, so the names are made by the system the tool runs on.
bool CopyTree(const std::wstring& from, const std::wstring& to);
// Folder for screenshots and other artefacts a run keeps: ZAVO_ARTEFACT_DIR, or
// "e2e-artefacts\" beside the bin folder; created on first use.
std::wstring ArtefactDir();

// ---- Waiting ------------------------------------------------------------------

// The performance counter in milliseconds (for the benchmarks' timings).
double NowMs();

// Polls `condition` every `poll` until it holds (true) or `timeout` passes
// (false). Messages of the calling thread are pumped while waiting.
bool WaitUntil(const std::function<bool()>& condition, Ms timeout, Ms poll = Ms(20));

// ---- A private per-user folder ------------------------------------------------

class PrivateAppData {
public:
    PrivateAppData();   // a fresh temporary folder becomes the application-data folder
    ~PrivateAppData();  // restores the registry value and removes the folder
    PrivateAppData(const PrivateAppData&) = delete;
    PrivateAppData& operator=(const PrivateAppData&) = delete;

    const std::wstring& AppData() const { return m_appData; }  // with trailing backslash
    // AppData() + "Brimvale\ZAVO\": the tool's DataFolder. Not created here.
    std::wstring DataFolder() const { return m_appData + L"Brimvale\\ZAVO\\"; }
    // Environment for the children (APPDATA).
    EnvVars Env() const { return {{L"APPDATA", m_appData.substr(0, m_appData.size() - 1)}}; }

private:
    std::wstring m_root;
    std::wstring m_appData;
    std::optional<std::wstring> m_saved;  // the registry value before, if it existed
};

// ---- Processes ----------------------------------------------------------------

class Process {
public:
    Process() = default;
    // Starts `exe` with `args` (each quoted as needed). `env` is added to (and
    // overrides) this process's environment. Check Started().
    static Process Start(const std::wstring& exe, const std::vector<std::wstring>& args, const EnvVars& env = {},
                         const std::wstring& workDir = L"");
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    ~Process();  // ends the process if it still runs

    bool Started() const { return m_hProcess != nullptr; }
    // Why the start failed: the system's message and error number ("" after a start).
    const std::wstring& StartError() const { return m_strStartError; }
    DWORD Pid() const { return m_nPid; }
    // The process handle, owned by this object (for counting its GUI objects).
    HANDLE Handle() const { return m_hProcess; }
    bool Running() const;
    // The exit code, or nothing when the process is still running after `timeout`.
    std::optional<DWORD> WaitExit(Ms timeout);
    // Ends the process (TerminateProcess) and waits for it to be gone.
    void Kill();

private:
    HANDLE m_hProcess = nullptr;
    DWORD m_nPid = 0;
    std::wstring m_strStartError;
};

// Starts a program, waits for it and returns its exit code (nothing on a timeout,
// after which it is killed).
std::optional<DWORD> RunToExit(const std::wstring& exe, const std::vector<std::wstring>& args, Ms timeout,
                               const EnvVars& env = {});

// ---- Windows and messages -----------------------------------------------------

// A top-level window with exactly this title (any class); with `pid`, only one
// of that process. Hidden windows count too.
HWND FindTopWindow(const std::wstring& title, DWORD pid = 0);
HWND WaitForWindow(const std::wstring& title, Ms timeout, DWORD pid = 0);
bool WaitForWindowGone(const std::wstring& title, Ms timeout, DWORD pid = 0);
// Posts to the window with that title; false when there is none.
bool PostTo(const std::wstring& title, UINT msg, WPARAM wParam, LPARAM lParam);
// Sends with SendMessageTimeoutW (abort if hung); nothing when the window is
// missing or the call timed out.
std::optional<LRESULT> SendTo(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, Ms timeout = Ms(5000));
std::optional<LRESULT> SendTo(const std::wstring& title, UINT msg, WPARAM wParam, LPARAM lParam, Ms timeout = Ms(5000));
std::wstring WindowText(HWND window);
// The texts of a window's children, one per line (a message box's message).
std::wstring ChildTexts(HWND window);

// A window of the test process that records what it receives, for standing in
// for one of the tool's windows ("VARNOS", "DLGLoading", "ZVLight"). Its messages
// are handled while the test thread waits in WaitUntil or Pump.
class RecordingWindow {
public:
    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        bool sent;  // delivered by SendMessage rather than posted
    };
    explicit RecordingWindow(const std::wstring& title);
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    const std::vector<Message>& Received() const { return m_received; }
    // Waits for a received message `msg` (any parameters); returns it.
    std::optional<Message> WaitFor(UINT msg, Ms timeout);

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hWnd = nullptr;
    std::vector<Message> m_received;
};

// Handles the calling thread's pending messages.
void Pump();

// ---- devicesim's log ----------------------------------------------------------

// One line of the log: "HH:MM:SS.mmm T EVENT key=value ..." (tools/devicesim/SimLog.h).
struct SimLogLine {
    std::string clock;
    long long ms = 0;  // since the simulator started
    std::string event;
    std::map<std::string, std::string> fields;

    std::string Get(const std::string& key) const;  // "" when absent
    long long Int(const std::string& key, long long fallback = -1) const;
    // True when the event matches and every given field has the given value.
    bool Is(const std::string& ev, const std::map<std::string, std::string>& values = {}) const;
};
using SimLogPredicate = std::function<bool(const SimLogLine&)>;

std::optional<SimLogLine> ParseSimLogLine(const std::string& line);
// Every well-formed line of the file (UTF-8); an unreadable file gives none.
std::vector<SimLogLine> ReadSimLog(const std::wstring& path);
// Waits for a line (already there or still to come) that matches.
std::optional<SimLogLine> WaitForSimLog(const std::wstring& path, const SimLogPredicate& match, Ms timeout);
// Matches "recv" of WM_SERVICE_COMMAND with that code (and lParam / how, when given).
SimLogPredicate ReceivedCommand(unsigned code, std::optional<long long> lParam = {},
                                std::optional<std::string> via = {});

// ---- devicesim as a second process --------------------------------------------

class DeviceSim {
public:
    // Starts devicesim.exe with --data dataFolder (none when empty: the per-user
    // default), a log in a temporary file (outside
    // the data folder, which it leaves alone under --no-device)
    // and `args`, and waits for its window and its "start" line. Check Ready().
    DeviceSim(const std::wstring& dataFolder, const std::vector<std::wstring>& args = {}, const EnvVars& env = {});
    ~DeviceSim();  // ends it

    bool Ready() const { return m_hWnd != nullptr; }
    HWND Window() const { return m_hWnd; }
    Process& Proc() { return m_process; }
    const std::wstring& LogPath() const { return m_logPath; }
    std::vector<SimLogLine> Log() const { return ReadSimLog(m_logPath); }
    std::optional<SimLogLine> WaitFor(const SimLogPredicate& match, Ms timeout = Ms(5000)) const {
        return WaitForSimLog(m_logPath, match, timeout);
    }
    // Runs "devicesim send <args>" and returns its exit code (nothing on timeout).
    static std::optional<DWORD> Send(const std::vector<std::wstring>& args, Ms timeout = Ms(15000));

private:
    Process m_process;
    std::wstring m_logPath;
    HWND m_hWnd = nullptr;
};

// ---- Settings files -----------------------------------------------------------

// One value of a settings file of `dataFolder` ("Config.config", "Profile2.prof"),
// read with the tool's own primitives.
int SettingInt(const std::wstring& dataFolder, const std::wstring& file, const std::wstring& section,
               const std::wstring& key, int fallback = -1);
std::wstring SettingString(const std::wstring& dataFolder, const std::wstring& file, const std::wstring& section,
                           const std::wstring& key, const std::wstring& fallback = L"");

// ---- Screenshots --------------------------------------------------------------

// Captures the whole screen, or one window's rectangle on screen (with whatever
// covers it), into `path`: PNG when it ends in ".png", otherwise BMP. A window is
// given a moment to handle its queue and repaint first.
bool SaveScreenshot(const std::wstring& path, HWND window = nullptr);
// Into ArtefactDir() under `name` (".png" added when it has no extension);
// returns the path, or "" on failure.
std::wstring Screenshot(const std::wstring& name, HWND window = nullptr);
// The same for a rectangle of the screen.
std::wstring Screenshot(const std::wstring& name, const RECT& screenRect);

// ---- Real input ---------------------------------------------------------------

// Moves the pointer to a client point of `window` (SendInput, absolute).
bool MoveMouseTo(HWND window, POINT client);
// Moves there, then presses and releases the left (or right) button.
bool ClickAt(HWND window, POINT client, bool rightButton = false);
// Presses and releases one key (virtual-key code) with SendInput.
bool PressKey(WORD virtualKey);

// ---- Unix commands beside Wine -------------------------------------------------

// Runs `command` with /bin/sh -c (output discarded) and returns its exit status;
// nothing when it did not end within `timeout`.
std::optional<DWORD> RunShell(const std::wstring& command, Ms timeout = Ms(10000));
// `word` in single quotes for the shell.
std::wstring ShellQuoted(const std::wstring& word);
// The Unix path Wine maps a Windows path to ("" outside Wine). ASCII paths only.
std::wstring UnixPath(const std::wstring& windowsPath);

// True when /usr/bin/xdotool is there to be run.
bool HaveXdotool();
// Runs xdotool with `args`; its exit code, or nothing when it could not run.
std::optional<DWORD> RunXdotool(const std::vector<std::wstring>& args);
// Moves the X pointer to a client point of `window` and clicks button 1 (left)
// or 3 (right) with xdotool.
bool XdoClickAt(HWND window, POINT client, bool rightButton = false);

}  // namespace zavo::e2e
