// The profile file (".zavoprofile"): one profile's key assignments and macros
// (the macros live in the profile's slots), the lighting values and the zone
// states of the light profile they select, as readable text in the settings
// format, written by the settings engine:
//
//   [ZAVOPROFILE]          Format=ZAVOConfig profile, Version=1, Digest=<16 hex>
//   [LIGHTOPTION]          the ten lighting values, as Config.config holds them
//   [LIGHTSTATE]           the 18 zone keys, as LightOption.ini holds them
//   [ALTERNATE_PROFILE] [BUTTONCONFIG<slot>] [MACROG<slot>] [MAXTRIXSWAPKEY<key>]
//                          exactly as a profile file holds them
//
// No section or key names the profile it came from, so a profile exported from
// one number imports into any other. The digest covers every value written
// after the header: a file cut short or altered is refused as damaged, a file
// without the header as foreign, and a newer version as unknown.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "config/ConfigCheck.h"
#include "config/Ini.h"
#include "config/KeyboardConfig.h"
#include "light/LightZones.h"
#include "platform/Outcome.h"

namespace zavo {

constexpr wchar_t PROFILE_FILE_EXTENSION[] = L".zavoprofile";
constexpr int PROFILE_FILE_VERSION = 1;
// No profile file this program writes comes near this size (one with twenty full
// macros and long application paths stays under 2 MB, even as UTF-16); a larger
// file is refused unread.
constexpr std::uint64_t PROFILE_FILE_MAX_BYTES = 4 * 1024 * 1024;

struct ProfileExchange {
    ProfileConfig profile;
    LightSettings light;
    LightZoneStates zones{};
    bool operator==(const ProfileExchange& o) const {
        return profile == o.profile && light == o.light && zones == o.zones;
    }
};

// Profile `p` of `config` with its lighting; the zone states are read from the
// light state file of `dataFolder` (the light profile config.Light selects).
ProfileExchange ProfileForExport(const std::wstring& dataFolder, const KeyboardConfig& config, int p);

// Writes the profile file, replacing `file` as one step (a failure leaves an
// existing file as it was).
IniFileStatus WriteProfileExchange(const std::wstring& file, const ProfileExchange& x);

// Why a profile file is refused. The file is %1 of each sentence
// (ProfileRefusalTemplate); the values that follow are ProfileRefusal::values.
enum class ProfileRefusalKind : std::uint8_t {
    None,
    TooLarge,        // its size, the largest size (both in MB)
    NotProfile,      // -
    VersionMissing,  // -
    VersionInvalid,  // the version's text
    Newer,           // its version, the version this program reads
    Damaged,         // -
    UnusableOne,     // 1, the first problem's place and reason
    UnusableMany,    // the number of problems, the first's place and reason
    Unreadable,      // - (ProfileRefusal::failure says why)
};

struct ProfileRefusal {
    ProfileRefusalKind kind = ProfileRefusalKind::None;
    std::wstring file;
    std::vector<std::wstring> values;
    Outcome failure;           // Unreadable: the read that failed
    ConfigProblem problem;     // Unusable*: the first problem
    size_t problemCount = 0;   // Unusable*: how many
    explicit operator bool() const { return kind != ProfileRefusalKind::None; }
};

// The English sentence of a kind, with places %1.. (%1 the file).
const wchar_t* ProfileRefusalTemplate(ProfileRefusalKind kind);

// The values of a refusal's sentence in place order: the file, its values, then
// `problem` (the first problem's reason in the words of the caller) when the
// checks refused it.
std::vector<std::wstring> ProfileRefusalValues(const ProfileRefusal& r, const std::wstring& problem);

// The English sentence of a refusal, as zavocfg prints it.
std::wstring DescribeProfileRefusal(const ProfileRefusal& r);

// Reads and checks a profile file. False, with what is wrong in `why`, when the
// file is larger than PROFILE_FILE_MAX_BYTES, cannot be read, is not a profile
// file, has a format version other than one this program wrote or a newer one,
// is damaged, or holds settings that the checks of the settings files refuse
// (CheckProfileAndLighting: macro budget, codes, ranges, lent slots); `x` is
// then unchanged.
bool ReadProfileExchange(const std::wstring& file, ProfileExchange& x, ProfileRefusal& why);

// Puts an imported profile into profile `p` of `config` as an edit: its
// assignments and macros, and the lighting values. The zone states are written
// by whoever saves the edit (WriteImportedZones), after the settings files.
void PutImportedProfile(KeyboardConfig& config, int p, const ProfileExchange& x);

// Writes the imported zone states into the light state file of `dataFolder`,
// under the light profile the imported lighting selects.
IniFileStatus WriteImportedZones(const std::wstring& dataFolder, const ProfileExchange& x);

}  // namespace zavo
