// The settings engine killed while it saves. A child process saves two
// configurations in turn, without pause, into one data folder; the parent kills
// it with SIGKILL after a random time and then checks the folder: each of the
// six files must hold, byte for byte, a content some complete save wrote (or be
// absent when the folder started empty), and the folder must load and check
// sound. Repeated KILLS times.
//
//   kill_during_save [KILLS] [SEED]     exit 0 when every kill left sound files
//
// Prints what the kills found: how many left files of both configurations
// (struck between two files of one save), temporary files left behind, and the
// time one save takes.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ConfigFixtures.h"
#include "TempDir.h"
#include "config/ConfigCheck.h"
#include "config/ConfigStore.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

using namespace zavo;

namespace {

// Two configurations that differ in all six files.
std::unique_ptr<KeyboardConfig> First() { return testing::RichConfig(); }

std::unique_ptr<KeyboardConfig> Second() {
    auto c = testing::RichConfig(L"C:\\Program Files\\Other Game\\launcher.exe");
    c->Mode = 0;
    c->CurrantProfile = 4;
    c->Light.LightStyle = 2;
    for (auto& p : c->Profile) {
        testing::FillMacro(p.Button[2].Macro, L"Second combo", 400);
        p.Button[3].FunID = FUNID_SINGLEKEY;
        p.Button[3].SingleKey = p.Button[3].AssKey = 0x2C;
    }
    return c;
}

std::vector<std::wstring> SixFiles(const std::wstring& dir) {
    std::vector<std::wstring> files = {ConfigFilePath(dir)};
    for (int p = 0; p < PROFILE_COUNT; ++p) files.push_back(ProfileFilePath(dir, p));
    return files;
}

const std::string kAbsent =
    "\x01"
    "absent";

std::string Content(const std::wstring& path) {
    if (!fs::FileExists(path)) return kAbsent;
    std::string bytes;
    fs::ReadWholeFile(path, bytes);
    return bytes;
}

[[noreturn]] void SaveForever(const std::wstring& dir, const KeyboardConfig& a, const KeyboardConfig& b,
                              bool startWithFirst) {
    for (unsigned n = startWithFirst ? 0 : 1;; ++n) SaveConfiguration(dir, n % 2 == 0 ? a : b);
}

void Clear(const std::wstring& dir) {
    for (const std::wstring& name : fs::ListFiles(dir, L"")) fs::RemoveFile(dir + name);
}

}  // namespace

int main(int argc, char** argv) {
    const int kills = argc > 1 ? std::atoi(argv[1]) : 20;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : std::random_device{}();
    const auto a = First(), b = Second();

    // Every content a complete save can leave, file by file: the loop's own
    // sequence from an empty folder (first start) and from a folder holding the
    // first configuration, run until the contents repeat.
    TempDir ref;
    std::map<int, std::map<std::string, char>> allowed;  // content -> 'a' or 'b' (the configuration)
    const auto started = std::chrono::steady_clock::now();
    const int refSaves = 8;
    for (int i = 0; i < refSaves; ++i) {
        if (!SaveConfiguration(ref.path(), i % 2 == 0 ? *a : *b)) {
            std::fprintf(stderr, "kill_during_save: the reference save failed\n");
            return 2;
        }
        const auto files = SixFiles(ref.path());
        for (size_t f = 0; f < files.size(); ++f) allowed[static_cast<int>(f)][Content(files[f])] = i % 2 ? 'b' : 'a';
    }
    const double saveMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count() / refSaves;

    std::mt19937 random(seed);
    // Up to ten saves' time, so kills fall anywhere in a save and between saves.
    std::uniform_int_distribution<int> delayUs(0, static_cast<int>(saveMs * 10000) + 1);
    TempDir work;
    const std::wstring dir = work.path();
    int failures = 0, mixed = 0, allFirst = 0, allSecond = 0, leftovers = 0;
    for (int k = 0; k < kills; ++k) {
        // Every fifth kill starts from an empty folder: the first start's save.
        const bool empty = k % 5 == 0;
        Clear(dir);
        if (!empty) SaveConfiguration(dir, *a);
        pid_t child = fork();
        if (child < 0) {
            std::perror("fork");
            return 2;
        }
        if (child == 0) SaveForever(dir, *a, *b, empty);
        usleep(static_cast<useconds_t>(delayUs(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        std::set<char> held;  // the configurations the files hold
        const auto files = SixFiles(dir);
        for (size_t f = 0; f < files.size(); ++f) {
            const std::string now = Content(files[f]);
            const auto& known = allowed[static_cast<int>(f)];
            if (auto it = known.find(now); it != known.end()) {
                held.insert(it->second);
            } else if (!(empty && now == kAbsent)) {
                ++failures;
                std::fprintf(stderr, "kill %d: %s is torn, empty or foreign (%zu bytes)\n", k,
                             text::ToUtf8(files[f]).c_str(), now == kAbsent ? 0 : now.size());
            }
        }
        if (held.size() > 1)
            ++mixed;
        else if (held.count('a'))
            ++allFirst;
        else if (held.count('b'))
            ++allSecond;

        // The next start: the folder loads, and when all six are there it checks sound.
        if (fs::FileExists(ConfigFilePath(dir))) {
            auto loaded = std::make_unique<KeyboardConfig>();
            std::wstring error;
            if (!ReadDataFolder(dir, *loaded, error)) {
                ++failures;
                std::fprintf(stderr, "kill %d: the folder does not load: %s\n", k, text::ToUtf8(error).c_str());
            }
            bool allSix = true;
            for (const auto& f : files) allSix = allSix && fs::FileExists(f);
            if (allSix) {
                for (const auto& p : CheckDataFolder(dir)) {
                    ++failures;
                    std::fprintf(stderr, "kill %d: %s\n", k, text::ToUtf8(FormatProblem(p)).c_str());
                }
            }
        }
        for (const std::wstring& name : fs::ListFiles(dir, L"")) {
            bool known = false;
            for (const auto& f : files) known = known || f == dir + name;
            if (!known) ++leftovers;
        }
    }
    std::printf("kills: %d (seed %u), one save: %.1f ms\n", kills, seed, saveMs);
    std::printf(
        "  files all of the first configuration: %d, all of the second: %d, of both (struck inside a "
        "save): %d, none yet (first start): %d\n",
        allFirst, allSecond, mixed, kills - allFirst - allSecond - mixed);
    std::printf("  temporary files left behind: %d\n", leftovers);
    std::printf("  torn, empty or foreign files, or folders that do not load or check sound: %d\n", failures);
    return failures == 0 ? 0 : 1;
}
