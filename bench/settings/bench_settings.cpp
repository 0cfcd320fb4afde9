// Saving and loading five full profiles (every slot a 5440-event macro, every
// standard key remapped to an application): the engine beside the platform's own
// functions doing the same reads and writes, and beside the floor, the same bytes
// written and read with one call per file; and a save that replaces all six files
// with its backup (the old files kept as a generation) beside the same save
// without one. Prints one line per comparison.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/Backups.h"
#include "config/ConfigSequence.h"
#include "config/ConfigStore.h"
#include "config/Ini.h"
#include "platform/FileSystem.h"
#ifdef ZAVO_BENCH_PLATFORM
#include "config/PlatformIni.h"
#endif

namespace {

using namespace zavo;
namespace stdfs = std::filesystem;

std::unique_ptr<KeyboardConfig> FullConfig() {
    auto c = std::make_unique<KeyboardConfig>();
    for (int p = 0; p < PROFILE_COUNT; ++p) {
        ProfileConfig& pr = c->Profile[p];
        for (int s = 0; s < SLOT_COUNT; ++s) {
            ButtonConfig& b = pr.Button[s];
            b.FunID = FUNID_MACRO;
            b.Mappinkey = s < FIRST_LENT_SLOT ? KEY_NONE : static_cast<std::uint8_t>(s * 7);
            MacroGroup& m = b.Macro;
            m.MacroName = L"Macro " + std::to_wstring(p) + L"." + std::to_wstring(s);
            m.MacroLength = MACRO_EVENT_MAX;
            for (int e = 0; e < MACRO_EVENT_MAX; ++e) {
                m.Macro[2 * e] = e % 4 == 3 ? MACRO_DELAY_CODE : static_cast<std::uint8_t>(0x10 + (e * 13 + s) % 0xC0);
                m.Macro[2 * e + 1] = static_cast<std::uint8_t>(e % 4 == 3 ? 2 : e % 2);
            }
            m.RepeatOption = 4;
            m.RepeatTimes = 2;
        }
        for (int k = 0; k < STANDARD_KEY_COUNT; ++k) {
            auto code = static_cast<std::uint8_t>(0x10 + k);
            pr.SwapKey[k] = {code, code, 1, FUNID_APP,
                             L"C:\\Program Files\\Game Studio " + std::to_wstring(k) + L"\\bin\\launcher.exe"};
        }
    }
    return c;
}

std::wstring Folder(const stdfs::path& base, const std::string& name) {
    stdfs::path p = base / name;
    stdfs::remove_all(p);
    stdfs::create_directories(p);
    std::wstring w = p.wstring();
#ifdef _WIN32
    return w + L"\\";
#else
    return w + L"/";
#endif
}

std::vector<std::wstring> Files(const std::wstring& folder) {
    std::vector<std::wstring> files = {ConfigFilePath(folder)};
    for (int p = 0; p < PROFILE_COUNT; ++p) files.push_back(ProfileFilePath(folder, p));
    return files;
}

double Ms(const std::function<void()>& f) {
    auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// The median of `runs` timings; `prepare` runs untimed before each.
double Median(int runs, const std::function<void()>& prepare, const std::function<void()>& f) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        prepare();
        t.push_back(Ms(f));
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

// Against the platform: how many times faster the engine is; against the floor:
// how many times the floor's time the engine takes.
void Line(const char* what, double engine, const char* peer, double other, bool floor) {
    std::printf("%s: engine %.1f ms, %s %.1f ms, %.1fx\n", what, engine, peer, other,
                floor ? engine / other : other / engine);
    std::fflush(stdout);
}

// The save of SaveConfiguration without its backup: the same writes in one batch.
void SaveWithoutBackup(const std::wstring& folder, const KeyboardConfig& c) {
    IniBatch batch(Settings());
    WriteConfigFile(ConfigFilePath(folder), c);
    for (int p = 0; p < PROFILE_COUNT; ++p) WriteProfileFile(ProfileFilePath(folder, p), c.Profile[p]);
    if (!batch.Commit()) {
        std::fprintf(stderr, "the save without backup failed\n");
        std::exit(1);
    }
}

// Saves that replace all six files (the configuration alternates between two
// that differ in every file), with and without the backup, taken in turns so a
// busy machine weighs on both alike. Medians of `runs` each.
void BackupLine(const stdfs::path& base, const KeyboardConfig& a, int runs) {
    auto b = std::make_unique<KeyboardConfig>(a);
    b->Mode = 1 - a.Mode;
    for (auto& profile : b->Profile) profile.Button[0].Macro.RepeatTimes += 1;
    const std::wstring with = Folder(base, "with-backups"), without = Folder(base, "without-backups");
    SaveConfiguration(with, a);
    SaveWithoutBackup(without, a);
    std::vector<double> tWith, tWithout;
    for (int i = 0; i < runs; ++i) {
        const KeyboardConfig& next = i % 2 ? a : *b;
        tWith.push_back(Ms([&] { SaveConfiguration(with, next); }));
        tWithout.push_back(Ms([&] { SaveWithoutBackup(without, next); }));
    }
    std::sort(tWith.begin(), tWith.end());
    std::sort(tWithout.begin(), tWithout.end());
    const double w = tWith[tWith.size() / 2], wo = tWithout[tWithout.size() / 2];
    std::printf("save replacing the six files: with backups %.1f ms, without %.1f ms, %.2fx (%zu generations kept)\n",
                w, wo, w / wo, backup::ListGenerations(with).size());
    std::fflush(stdout);
}

}  // namespace

int main() {
    const stdfs::path base = stdfs::temp_directory_path() / "zavo-bench-settings";
    const auto config = FullConfig();
    auto loaded = std::make_unique<KeyboardConfig>();
    const int runs = 7;

    // Engine: a save into an empty folder (nothing kept from before), and a load
    // that parses every file afresh.
    std::wstring engine;
    double engineSave = Median(
        runs,
        [&] {
            Settings().DropCache();
            engine = Folder(base, "engine");
        },
        [&] { SaveConfiguration(engine, *config); });
    double engineLoad = Median(
        runs, [&] { Settings().DropCache(); }, [&] { LoadConfiguration(engine, *loaded); });
    if (!(*loaded == *config)) std::printf("warning: the loaded configuration differs from the saved one\n");

    // Floor: the same bytes, one write or read per file.
    std::vector<std::string> bytes;
    for (const auto& f : Files(engine)) {
        bytes.emplace_back();
        fs::ReadWholeFile(f, bytes.back());
    }
    std::wstring floor;
    double floorSave = Median(
        runs, [&] { floor = Folder(base, "floor"); },
        [&] {
            auto files = Files(floor);
            for (size_t i = 0; i < files.size(); ++i) fs::WriteFileAtomic(files[i], bytes[i]);
        });
    double floorLoad = Median(
        runs, [] {},
        [&] {
            std::string b;
            for (const auto& f : Files(floor)) fs::ReadWholeFile(f, b);
        });

#ifdef ZAVO_BENCH_PLATFORM
    // The platform's functions: once each, they take seconds.
    std::wstring platform = Folder(base, "platform");
    double platformSave = Ms([&] {
        seq::Failure f;
        seq::WriteConfigFile(PlatformIni(), ConfigFilePath(platform), *config, f);
        for (int p = 0; p < PROFILE_COUNT; ++p)
            seq::WriteProfileFile(PlatformIni(), ProfileFilePath(platform, p), config->Profile[p], f);
    });
    auto viaPlatform = std::make_unique<KeyboardConfig>();
    double platformLoad = Ms([&] {
        seq::ReadConfigFile(PlatformIni(), ConfigFilePath(platform), *viaPlatform);
        for (int p = 0; p < PROFILE_COUNT; ++p)
            seq::ReadProfileFile(PlatformIni(), ProfileFilePath(platform, p), viaPlatform->Profile[p]);
    });
    std::vector<std::string> platformBytes;
    for (const auto& f : Files(platform)) {
        platformBytes.emplace_back();
        fs::ReadWholeFile(f, platformBytes.back());
    }
    if (platformBytes != bytes) std::printf("warning: the platform wrote other bytes than the engine\n");
    Line("save", engineSave, "platform", platformSave, false);
#endif
    Line("save", engineSave, "floor", floorSave, true);
#ifdef ZAVO_BENCH_PLATFORM
    Line("load", engineLoad, "platform", platformLoad, false);
#endif
    Line("load", engineLoad, "floor", floorLoad, true);
    // What a save's commit adds for the temporary files killed writers leave: one
    // look through the folder it wrote into (here holding the six files).
    const double cleanUp = Median(
        runs, [] {}, [&] { fs::RemoveStaleTemporaries(engine, [](std::wstring_view) { return true; }); });
    std::printf("clean-up after a save: %.2f ms (one listing of the data folder, part of the engine's save)\n",
                cleanUp);
    BackupLine(base, *config, 31);
    std::size_t total = 0;
    for (const auto& b : bytes) total += b.size();
    std::printf("(six files, %.1f MB in all; median of %d runs for engine and floor)\n", total / 1048576.0, runs);
    std::error_code ec;
    stdfs::remove_all(base, ec);
    return 0;
}
