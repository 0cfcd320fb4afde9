#include "light/ProfileExchange.h"

#include <cstdio>

#include "config/ConfigCheck.h"
#include "config/ConfigSequence.h"
#include "config/ProfileEdits.h"
#include "light/LightStateFile.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "platform/TextFill.h"

namespace zavo {
namespace {

constexpr wchar_t kHeader[] = L"ZAVOPROFILE";
constexpr wchar_t kFormat[] = L"ZAVOConfig profile";
constexpr wchar_t kZones[] = L"LIGHTSTATE";

// An IniAccess that only hashes what is written to it (FNV-1a over section, key
// and value): the digest of a profile file is the hash of the write sequence of
// its content, so it is computed the same way on export and after reading it back.
// Text is hashed as UTF-16 code units whatever the width of wchar_t, so a file
// gets the same digest from every build (a character beyond U+FFFF counts as its
// two surrogates, as the Windows build has always hashed it).
class DigestIni final : public IniAccess {
public:
    std::wstring IniReadString(const std::wstring&, std::wstring_view, std::wstring_view,
                               std::wstring_view defaultValue) override {
        return std::wstring(defaultValue);
    }
    std::int32_t IniReadInt(const std::wstring&, std::wstring_view, std::wstring_view, std::int32_t d) override {
        return d;
    }
    bool IniReadStruct(const std::wstring&, std::wstring_view, std::wstring_view, void*, size_t) override {
        return false;
    }
    fs::Status IniWriteString(const std::wstring&, std::wstring_view section, std::wstring_view key,
                              std::wstring_view value) override {
        Add(section);
        Add(key);
        Add(value);
        return fs::Status::Ok();
    }
    fs::Status IniWriteStruct(const std::wstring&, std::wstring_view section, std::wstring_view key,
                              const void* source, size_t size) override {
        Add(section);
        Add(key);
        const auto* b = static_cast<const unsigned char*>(source);
        for (size_t i = 0; i < size; ++i) Mix(b[i]);
        Mix(0x1F);
        return fs::Status::Ok();
    }
    std::uint64_t value() const { return h_; }

private:
    void Mix(std::uint32_t unit) {
        h_ ^= unit;
        h_ *= 0x100000001B3ULL;
    }
    void Add(std::wstring_view s) {
        const std::string units = text::ToUtf16LE(s);
        for (size_t i = 0; i + 1 < units.size(); i += 2)
            Mix(static_cast<unsigned char>(units[i]) | (static_cast<std::uint32_t>(static_cast<unsigned char>(units[i + 1])) << 8));
        Mix(0x1F);
    }
    std::uint64_t h_ = 0xCBF29CE484222325ULL;
};

// The content after the header, in file order, through any IniAccess.
void WriteContent(IniAccess& io, const std::wstring& file, const ProfileExchange& x, seq::Failure& f) {
    seq::WriteLightOption(io, file, x.light, f);
    for (LightZone z : AllLightZones()) f(io.IniWriteInt(file, kZones, LightZoneKey(z), x.zones[ZoneIndex(z)]));
    seq::WriteProfileFile(io, file, x.profile, f);
}

std::wstring DigestText(const ProfileExchange& x) {
    DigestIni digest;
    seq::Failure ignored;
    WriteContent(digest, L"", x, ignored);
    wchar_t buf[17];
    std::swprintf(buf, 17, L"%016llX", static_cast<unsigned long long>(digest.value()));
    return buf;
}

}  // namespace

ProfileExchange ProfileForExport(const std::wstring& dataFolder, const KeyboardConfig& config, int p) {
    ProfileExchange x;
    x.profile = config.Profile[static_cast<size_t>(p)];
    x.light = config.Light;
    x.zones = ReadLightZones(LightStateFilePath(dataFolder), LightProfileOfMode(config.Light.LightMode));
    return x;
}

IniFileStatus WriteProfileExchange(const std::wstring& file, const ProfileExchange& x) {
    // The engine adds to a file that is there: the content is written into a new
    // file beside the target first, which then replaces the target in one step.
    const std::wstring fresh = file + L".new" + std::wstring(fs::kPendingSuffix);
    fs::RemoveFile(fresh);
    seq::Failure f;
    {
        IniBatch batch(Settings());
        f(batch.IniWriteString(fresh, kHeader, L"Format", kFormat));
        f(batch.IniWriteInt(fresh, kHeader, L"Version", PROFILE_FILE_VERSION));
        f(batch.IniWriteString(fresh, kHeader, L"Digest", DigestText(x)));
        WriteContent(batch, fresh, x, f);
        if (IniFileStatus s = batch.Commit(); !s) {
            fs::RemoveFile(fresh);
            return s.At(file);
        }
    }
    std::string bytes;
    fs::Status s = f.failed ? f.first : fs::ReadWholeFile(fresh, bytes);
    if (s) s = fs::WriteFileAtomic(file, bytes);
    fs::RemoveFile(fresh);
    return s ? IniFileStatus{} : s.At(file);
}

namespace {

// The format version exactly as this program writes it ("%d", nothing else), or
// -1: "1.9" or "01" are not a version that was ever written.
std::int32_t VersionOf(const std::wstring& text) {
    if (text.empty() || text.size() > 9 || text[0] == L'0') return -1;
    std::int32_t v = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return -1;
        v = v * 10 + (c - L'0');
    }
    return v;
}

std::wstring Megabytes(std::uint64_t bytes) {
    return std::to_wstring((bytes + 1024 * 1024 - 1) / (1024 * 1024)) + L" MB";
}

}  // namespace

const wchar_t* ProfileRefusalTemplate(ProfileRefusalKind kind) {
    switch (kind) {
        case ProfileRefusalKind::TooLarge: return L"%1 is %2; a profile file is at most %3.";
        case ProfileRefusalKind::NotProfile: return L"%1 is not a ZAVOConfig profile file.";
        case ProfileRefusalKind::VersionMissing: return L"%1 is damaged: its format version is missing.";
        case ProfileRefusalKind::VersionInvalid:
            return L"%1 is damaged: its format version \"%2\" is not one ZAVOConfig writes.";
        case ProfileRefusalKind::Newer:
            return L"%1 was made by a newer version of ZAVOConfig (profile format %2); this version reads format %3.";
        case ProfileRefusalKind::Damaged: return L"%1 is damaged: its content does not match its check value.";
        case ProfileRefusalKind::UnusableOne:
            return L"%1 holds settings ZAVOConfig cannot use (%2 problem; the first: %3%4).";
        case ProfileRefusalKind::UnusableMany:
            return L"%1 holds settings ZAVOConfig cannot use (%2 problems; the first: %3%4).";
        case ProfileRefusalKind::None:
        case ProfileRefusalKind::Unreadable: break;
    }
    return L"";
}

std::vector<std::wstring> ProfileRefusalValues(const ProfileRefusal& r, const std::wstring& problem) {
    std::vector<std::wstring> values{r.file};
    values.insert(values.end(), r.values.begin(), r.values.end());
    if (r.problemCount > 0) values.push_back(problem);
    return values;
}

std::wstring DescribeProfileRefusal(const ProfileRefusal& r) {
    if (r.kind == ProfileRefusalKind::Unreadable) return DescribeFailure(r.failure);
    return FillIn(ProfileRefusalTemplate(r.kind), ProfileRefusalValues(r, ProblemReason(r.problem)));
}

namespace {

bool Refuse(ProfileRefusal& why, ProfileRefusalKind kind, const std::wstring& file,
            std::vector<std::wstring> values = {}) {
    why = ProfileRefusal{};
    why.kind = kind;
    why.file = file;
    why.values = std::move(values);
    return false;
}

}  // namespace

bool ReadProfileExchange(const std::wstring& file, ProfileExchange& x, ProfileRefusal& why) {
    // A file larger than any profile file is refused before it is read.
    if (const fs::FileStamp stamp = fs::Stat(file); stamp.exists && stamp.size > PROFILE_FILE_MAX_BYTES)
        return Refuse(why, ProfileRefusalKind::TooLarge, file, {Megabytes(stamp.size), Megabytes(PROFILE_FILE_MAX_BYTES)});
    std::string bytes;
    if (fs::Status s = fs::ReadWholeFile(file, bytes); !s) {
        Refuse(why, ProfileRefusalKind::Unreadable, file);
        why.failure = s.At(file);
        return false;
    }
    IniSnapshot snapshot(Settings());
    if (snapshot.IniReadString(file, kHeader, L"Format", L"") != kFormat)
        return Refuse(why, ProfileRefusalKind::NotProfile, file);
    std::wstring versionText;
    if (!snapshot.IniReadRaw(file, kHeader, L"Version", versionText) || versionText.empty())
        return Refuse(why, ProfileRefusalKind::VersionMissing, file);
    const std::int32_t version = VersionOf(versionText);
    if (version < 1) return Refuse(why, ProfileRefusalKind::VersionInvalid, file, {versionText});
    if (version > PROFILE_FILE_VERSION)
        return Refuse(why, ProfileRefusalKind::Newer, file,
                      {std::to_wstring(version), std::to_wstring(PROFILE_FILE_VERSION)});
    // Read into a cleared profile, so nothing of another profile mixes in.
    ProfileExchange read;
    ResetProfile(read.profile);
    seq::ReadLightOption(snapshot, file, read.light);
    for (LightZone z : AllLightZones()) read.zones[ZoneIndex(z)] = snapshot.IniReadInt(file, kZones, LightZoneKey(z), -1);
    seq::ReadProfileFile(snapshot, file, read.profile);
    if (snapshot.IniReadString(file, kHeader, L"Digest", L"") != DigestText(read))
        return Refuse(why, ProfileRefusalKind::Damaged, file);
    // The digest is a public hash: it tells a damaged file, not a sound one. What
    // would be written must pass the rules every settings file is checked by.
    if (const std::vector<ConfigProblem> problems = CheckProfileAndLighting(file); !problems.empty()) {
        const ConfigProblem& first = problems.front();
        Refuse(why, problems.size() == 1 ? ProfileRefusalKind::UnusableOne : ProfileRefusalKind::UnusableMany, file,
               {std::to_wstring(problems.size()), ProblemPlace(first)});
        why.problem = first;
        why.problemCount = problems.size();
        return false;
    }
    x = std::move(read);
    return true;
}

void PutImportedProfile(KeyboardConfig& config, int p, const ProfileExchange& x) {
    config.Profile[static_cast<size_t>(p)] = x.profile;
    config.Light = x.light;
}

IniFileStatus WriteImportedZones(const std::wstring& dataFolder, const ProfileExchange& x) {
    return WriteLightZones(LightStateFilePath(dataFolder), LightProfileOfMode(x.light.LightMode),
                           AllLightZones().data(), AllLightZones().size(), x.zones);
}

}  // namespace zavo
