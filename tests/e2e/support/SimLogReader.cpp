#include <cstdlib>

#include "Harness.h"
#include "service/ServiceCodes.h"

namespace zavo::e2e {

namespace {

// Splits off the next space-separated token, honouring "..." with \" and \\.
bool NextToken(const std::string& line, size_t& pos, std::string& token) {
    while (pos < line.size() && line[pos] == ' ') ++pos;
    if (pos >= line.size()) return false;
    token.clear();
    bool quoted = false;
    for (; pos < line.size(); ++pos) {
        char c = line[pos];
        if (quoted && c == '\\' && pos + 1 < line.size()) {
            token += line[++pos];
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ' ' && !quoted) {
            break;
        } else {
            token += c;
        }
    }
    return true;
}

}  // namespace

std::string SimLogLine::Get(const std::string& key) const {
    auto it = fields.find(key);
    return it == fields.end() ? "" : it->second;
}

long long SimLogLine::Int(const std::string& key, long long fallback) const {
    std::string v = Get(key);
    if (v.empty()) return fallback;
    char* end = nullptr;
    long long n = std::strtoll(v.c_str(), &end, 10);
    return end && *end == '\0' ? n : fallback;
}

bool SimLogLine::Is(const std::string& ev, const std::map<std::string, std::string>& values) const {
    if (event != ev) return false;
    for (const auto& [k, v] : values) {
        if (Get(k) != v) return false;
    }
    return true;
}

std::optional<SimLogLine> ParseSimLogLine(const std::string& line) {
    SimLogLine out;
    size_t pos = 0;
    std::string ms, token;
    if (!NextToken(line, pos, out.clock) || !NextToken(line, pos, ms) || !NextToken(line, pos, out.event)) {
        return std::nullopt;
    }
    char* end = nullptr;
    out.ms = std::strtoll(ms.c_str(), &end, 10);
    if (!end || *end != '\0') return std::nullopt;
    while (NextToken(line, pos, token)) {
        size_t eq = token.find('=');
        if (eq == std::string::npos) return std::nullopt;
        out.fields[token.substr(0, eq)] = token.substr(eq + 1);
    }
    return out;
}

std::vector<SimLogLine> ReadSimLog(const std::wstring& path) {
    std::vector<SimLogLine> lines;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lines;
    std::string bytes;
    char buffer[16384];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    // Only complete lines: the last one may still be being written.
    size_t start = 0;
    for (size_t nl = bytes.find('\n'); nl != std::string::npos; nl = bytes.find('\n', start)) {
        std::string line = bytes.substr(start, nl - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (auto parsed = ParseSimLogLine(line)) lines.push_back(*parsed);
        start = nl + 1;
    }
    return lines;
}

std::optional<SimLogLine> WaitForSimLog(const std::wstring& path, const SimLogPredicate& match, Ms timeout) {
    std::optional<SimLogLine> found;
    WaitUntil(
        [&] {
            for (const auto& line : ReadSimLog(path)) {
                if (match(line)) {
                    found = line;
                    return true;
                }
            }
            return false;
        },
        timeout, Ms(25));
    return found;
}

SimLogPredicate ReceivedCommand(unsigned code, std::optional<long long> lParam, std::optional<std::string> via) {
    return [=](const SimLogLine& l) {
        return l.event == "recv" && l.Int("msg") == svc::WM_SERVICE_COMMAND && l.Int("code") == code &&
               (!lParam || l.Int("lparam") == *lParam) && (!via || l.Get("via") == *via);
    };
}

}  // namespace zavo::e2e
