// Moves a file's modification time back, to make it look left over.
#pragma once
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

#include "platform/TextCodec.h"

inline void AgeFile(const std::wstring& path, std::chrono::minutes by) {
#ifdef _WIN32
    const std::filesystem::path p(path);
#else
    std::wstring slashes = path;
    std::replace(slashes.begin(), slashes.end(), L'\\', L'/');
    const std::filesystem::path p(zavo::text::ToUtf8(slashes));
#endif
    std::filesystem::last_write_time(p, std::filesystem::last_write_time(p) - by);
}
