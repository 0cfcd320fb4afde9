// The simulator's message log: one line per event, written and flushed to the
// file at once so that a test can read it while the simulator runs.
//
// Line format (UTF-8, CR LF):
//   HH:MM:SS.mmm T EVENT key=value key=value ...
// T is milliseconds since the simulator started. A value holding a space, a
// quote or nothing is written in double quotes, with \" and \\ inside.
// Events: start, recv (a message reached the window), check (one settings file
// read on an apply), apply, reply (the answer to "DLGLoading"), deliver (a
// request of "devicesim send" or of the control file posted to the tool),
// control (a control file line that is not a request), hang, stop.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace devicesim {

using Fields = std::vector<std::pair<std::string, std::wstring>>;

class SimLog {
public:
    SimLog() = default;
    ~SimLog();
    SimLog(const SimLog&) = delete;
    SimLog& operator=(const SimLog&) = delete;

    // Opens (appending to) the file. False when it cannot be opened; the
    // simulator then runs without a log.
    bool Open(const std::wstring& path);
    void Write(const char* event, const Fields& fields);

private:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    ULONGLONG m_start = GetTickCount64();
};

// The value as it appears in a line (quoted when needed).
std::string FormatLogValue(const std::wstring& value);

}  // namespace devicesim
