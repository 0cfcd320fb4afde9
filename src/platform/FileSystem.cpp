// The parts of the file seam that are the same on every platform.
#include "platform/FileSystem.h"

#include "platform/FileSystemInternal.h"

namespace zavo::fs {
namespace {

// The temporary files of earlier versions carry no mark of a live writer: a
// writer never takes minutes, so one this old is left over.
constexpr double kOldTemporaryAge = 300;

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Strips a run of 1 to `most` digits from the end of `s`; false when there is none.
bool StripDigits(std::wstring_view& s, size_t most) {
    size_t n = 0;
    while (n < s.size() && IsDigit(s[s.size() - 1 - n])) ++n;
    if (n == 0 || n > most) return false;
    s.remove_suffix(n);
    return true;
}

// "<target>.<process id>-<number>.zavotmp" with a target name of at least one
// character: the target, or empty.
std::wstring_view PendingTarget(std::wstring_view name) {
    if (!internal::EndsWithNoCase(name, kPendingSuffix)) return {};
    name.remove_suffix(kPendingSuffix.size());
    if (!StripDigits(name, 10) || name.empty() || name.back() != L'-') return {};
    name.remove_suffix(1);
    if (!StripDigits(name, 10) || name.empty() || name.back() != L'.') return {};
    name.remove_suffix(1);
    return name;
}

// "<name>.config|.prof|.ini" + ".tmp" + the process id: the target, or empty.
std::wstring_view OldTemporaryTarget(std::wstring_view name) {
    if (!StripDigits(name, 10) || !internal::EndsWithNoCase(name, L".tmp")) return {};
    name.remove_suffix(4);
    for (std::wstring_view kind : {L".config", L".prof", L".ini"})
        if (name.size() > kind.size() && internal::EndsWithNoCase(name, kind)) return name;
    return {};
}

}  // namespace

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty()) return name;
    if (folder.back() == L'\\' || folder.back() == L'/') return folder + name;
    return folder + L'\\' + name;
}

bool IsPendingFileName(std::wstring_view name) { return !PendingTarget(name).empty(); }
bool IsOldTemporaryName(std::wstring_view name) { return !OldTemporaryTarget(name).empty(); }

std::wstring_view TemporaryTarget(std::wstring_view name) {
    const std::wstring_view pending = PendingTarget(name);
    return pending.empty() ? OldTemporaryTarget(name) : pending;
}

Status NotRegularFile(FileStep step, const std::wstring& path) {
    return Outcome::Refused(step, path, Refusal::NotRegularFile);
}

Status WriteFileAtomic(const std::wstring& path, std::string_view bytes) {
    PendingFile file(path);
    if (!file.status()) return file.status();
    if (Status s = file.Write(bytes); !s) return s;
    return file.Replace();
}

size_t RemoveStaleTemporaries(const std::wstring& folder, OwnFileName ours) {
    size_t removed = 0;
    for (const std::wstring& name : ListFiles(folder, L"")) {
        const std::wstring path = JoinPath(folder, name);
        if (const std::wstring_view target = PendingTarget(name); !target.empty()) {
            if (ours(target) && internal::RemoveIfUnheld(path)) ++removed;
        } else if (const std::wstring_view old = OldTemporaryTarget(name); !old.empty()) {
            if (ours(old) && internal::ModifiedSecondsAgo(path) > kOldTemporaryAge && internal::RemoveIfRegular(path))
                ++removed;
        }
    }
    return removed;
}

}  // namespace zavo::fs
