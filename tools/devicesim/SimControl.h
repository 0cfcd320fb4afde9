// The control file of the simulator (--control FILE): another way to give it the
// requests of "devicesim send", for scripts that would rather append a line to a
// file than start a process. Each line holds the words after "send", e.g.
//   notify 11147
//   light-sync 1 1
// Lines starting with '#' and blank lines are skipped. The simulator reads what
// was appended since its last look; a file that got shorter is read from the start.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace devicesim {

class ControlFile {
public:
    explicit ControlFile(std::wstring path) : m_path(std::move(path)) {}
    const std::wstring& Path() const { return m_path; }
    // The complete lines appended since the last call (a line still without its
    // line break waits for the next call).
    std::vector<std::wstring> TakeNewLines();

private:
    std::wstring m_path;
    std::uint64_t m_offset = 0;
};

// Splits a control line into words; empty for a comment or blank line.
std::vector<std::wstring> ControlWords(const std::wstring& line);

}  // namespace devicesim
