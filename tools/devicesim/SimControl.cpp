#include "SimControl.h"

#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

namespace devicesim {

std::vector<std::wstring> ControlFile::TakeNewLines() {
    std::vector<std::wstring> lines;
    std::string bytes;
    if (!zavo::fs::ReadWholeFile(m_path, bytes)) return lines;
    if (bytes.size() < m_offset) m_offset = 0;  // replaced or truncated: start over
    size_t end = bytes.rfind('\n');
    if (end == std::string::npos || end + 1 <= m_offset) return lines;
    std::string fresh = bytes.substr(static_cast<size_t>(m_offset), end + 1 - static_cast<size_t>(m_offset));
    m_offset = end + 1;
    size_t start = 0;
    for (size_t nl = fresh.find('\n'); nl != std::string::npos; nl = fresh.find('\n', start)) {
        std::string line = fresh.substr(start, nl - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(zavo::text::FromUtf8(line));
        start = nl + 1;
    }
    return lines;
}

std::vector<std::wstring> ControlWords(const std::wstring& line) {
    std::vector<std::wstring> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
        if (i >= line.size()) break;
        if (words.empty() && line[i] == L'#') break;
        size_t j = i;
        while (j < line.size() && line[j] != L' ' && line[j] != L'\t') ++j;
        words.push_back(line.substr(i, j - i));
        i = j;
    }
    return words;
}

}  // namespace devicesim
