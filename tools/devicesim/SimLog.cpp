#include "SimLog.h"

#include <cstdio>

#include "platform/TextCodec.h"

namespace devicesim {

SimLog::~SimLog() {
    if (m_hFile != INVALID_HANDLE_VALUE) CloseHandle(m_hFile);
}

bool SimLog::Open(const std::wstring& path) {
    // Shared for reading, writing and deletion: tests read the log while the
    // simulator runs and remove their temporary folders afterwards.
    m_hFile = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return m_hFile != INVALID_HANDLE_VALUE;
}

std::string FormatLogValue(const std::wstring& value) {
    std::string text = zavo::text::ToUtf8(value);
    bool quote = text.empty() || text.find_first_of(" \t\"\r\n") != std::string::npos;
    if (!quote) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        // Line breaks would split the record; they become spaces.
        out += (c == '\r' || c == '\n') ? ' ' : c;
    }
    return out + "\"";
}

void SimLog::Write(const char* event, const Fields& fields) {
    if (m_hFile == INVALID_HANDLE_VALUE) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    char head[64];
    std::snprintf(head, sizeof head, "%02u:%02u:%02u.%03u %llu ", now.wHour, now.wMinute, now.wSecond,
                  now.wMilliseconds, static_cast<unsigned long long>(GetTickCount64() - m_start));
    std::string line = head;
    line += event;
    for (const auto& [key, value] : fields) line += " " + key + "=" + FormatLogValue(value);
    line += "\r\n";
    // One WriteFile per line on a file opened for appending: the line lands whole
    // and is visible to readers as soon as the call returns.
    DWORD written = 0;
    WriteFile(m_hFile, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace devicesim
