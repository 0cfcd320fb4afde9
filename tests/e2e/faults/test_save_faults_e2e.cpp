// Saves that the machine refuses, injected for real into the running tool: a
// settings file another process holds open without sharing, a read-only file,
// a read-only data folder, and a data folder that fills up during the save.
// Through the lighting window's OK, Apply and Reset each must show the message
// naming the file and the reason, send nothing to the service, leave every file
// as it was (or, for files a save reached before the fault, complete with the
// new content), keep the edit in memory, and succeed on retry once the fault is
// gone.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "ToolRun.h"
#include "config/ConfigStore.h"
#include "config/ProfileEdits.h"
#include "platform/FileSystem.h"
#include "platform/Win32Handle.h"
#include "service/ServiceCodes.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

const wchar_t* const kSixFiles[] = {L"Config.config",  L"Profile0.prof", L"Profile1.prof",
                                    L"Profile2.prof",  L"Profile3.prof", L"Profile4.prof"};
constexpr int EDITED_STYLE = 5;  // the lighting window's style button "17"

std::string Bytes(const std::wstring& path) {
    std::string bytes;
    return fs::ReadWholeFile(path, bytes) ? bytes : std::string("<unreadable>");
}

std::map<std::wstring, std::string> SixFiles(const std::wstring& folder) {
    std::map<std::wstring, std::string> files;
    for (const wchar_t* name : kSixFiles) files[name] = Bytes(folder + name);
    return files;
}

std::string Narrow(const std::wstring& text);

// The names of the files whose bytes differ ("" when all are the same).
std::string Changed(const std::map<std::wstring, std::string>& a, const std::map<std::wstring, std::string>& b) {
    std::string names;
    for (const auto& [name, bytes] : a)
        if (b.at(name) != bytes) names += Narrow(name) + " ";
    return names;
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

// T1 of profile I holds a single key, so that a reset changes its file.
std::unique_ptr<KeyboardConfig> AssignedConfig() {
    auto config = PresentConfig();
    auto& t1 = config->Profile[0].Button[0];
    t1.FunID = FUNID_SINGLEKEY;
    t1.SingleKey = t1.CurKey = t1.AssKey = 0x14;
    return config;
}

// A small tmpfs mounted on the tool's data folder for one test, so that the
// folder can be made read-only or full. Detached (lazily: the tool may still
// hold a file) when the test ends.
class DataMount {
public:
    ~DataMount() {
        if (!m_unixFolder.empty()) RunShell(L"umount -l " + ShellQuoted(m_unixFolder));
    }
    // Empty on success, else why it could not be mounted.
    std::wstring Mount(const std::wstring& dataFolder, unsigned kilobytes) {
        const std::wstring parent = dataFolder.substr(0, dataFolder.rfind(L"\\Brimvale\\")) + L"\\Brimvale";
        CreateDirectoryW(parent.c_str(), nullptr);
        CreateDirectoryW(dataFolder.c_str(), nullptr);
        const std::wstring folder = UnixPath(dataFolder);
        if (folder.empty()) return L"the data folder has no Unix path (not under Wine?)";
        auto code = RunShell(L"mount -t tmpfs -o size=" + std::to_wstring(kilobytes) + L"k zavo-faults " +
                             ShellQuoted(folder));
        if (!code || *code != 0) return L"mount -t tmpfs failed (exit " + (code ? std::to_wstring(*code) : L"-") + L")";
        m_unixFolder = folder;
        return L"";
    }
    bool SetReadOnly(bool readOnly) {
        auto code = RunShell(L"mount -o remount," + std::wstring(readOnly ? L"ro " : L"rw ") + ShellQuoted(m_unixFolder));
        return code && *code == 0;
    }
    // Fills the folder with a file of zeros until the disk is full, then gives
    // back `freeBytes` of it.
    bool FillLeaving(unsigned long freeBytes) {
        const std::wstring fill = ShellQuoted(m_unixFolder + L"/filler");
        RunShell(L"dd if=/dev/zero of=" + fill + L" bs=4096", Ms(30000));
        auto code = RunShell(L"truncate -s -" + std::to_wstring(freeBytes) + L" " + fill + L" && sync");
        return code && *code == 0;
    }
    void Unfill() { RunShell(L"rm -f " + ShellQuoted(m_unixFolder + L"/filler")); }

private:
    std::wstring m_unixFolder;
};

#define MOUNT_OR_FAIL(mount, folder, kb)                                                                      \
    do {                                                                                                      \
        const std::wstring why = (mount).Mount(folder, kb);                                                   \
        if (!why.empty()) {                                                                                   \
            const char* skip = std::getenv("ZAVO_SKIP_MOUNT_TESTS");                                          \
            if (skip && std::string(skip) == "1") GTEST_SKIP() << "ZAVO_SKIP_MOUNT_TESTS=1: " << Narrow(why); \
            FAIL() << "THIS TEST NEEDS ROOT TO MOUNT A SMALL TMPFS: " << Narrow(why)                          \
                   << ". Run as root, or set ZAVO_SKIP_MOUNT_TESTS=1 to skip it knowingly.";                  \
        }                                                                                                     \
    } while (0)

enum class Fault { Locked, ReadOnlyFile, ReadOnlyFolder };

// Puts the fault on `file` (or the whole folder) and takes it away again.
class InjectedFault {
public:
    InjectedFault(Fault fault, std::wstring path, DataMount* mount)
        : m_fault(fault), m_path(std::move(path)), m_mount(mount) {}
    ~InjectedFault() { Lift(); }
    bool Put() {
        m_on = true;
        switch (m_fault) {
            case Fault::Locked:
                // Held by this process, as another program would: no sharing at all.
                m_lock.Reset(CreateFileW(m_path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
                return static_cast<bool>(m_lock);
            case Fault::ReadOnlyFile:
                return SetFileAttributesW(m_path.c_str(), FILE_ATTRIBUTE_READONLY) != FALSE;
            case Fault::ReadOnlyFolder:
                return m_mount->SetReadOnly(true);
        }
        return false;
    }
    void Lift() {
        if (!m_on) return;
        m_on = false;
        m_lock.Reset();
        if (m_fault == Fault::ReadOnlyFile) SetFileAttributesW(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (m_fault == Fault::ReadOnlyFolder) m_mount->SetReadOnly(false);
    }

private:
    Fault m_fault;
    std::wstring m_path;
    DataMount* m_mount;
    ScopedFile m_lock;
    bool m_on = false;
};

// The message box of a failed save: its text, after which it is closed.
std::wstring TakeSaveMessage(ToolRun& run) {
    HWND box = run.WaitOtherWindow();
    if (!box) return L"";
    const std::wstring text = WindowText(GetDlgItem(box, 0xFFFF));
    std::wstring line = text;  // the message in the test log, one line
    for (wchar_t& c : line)
        if (c == L'\n') c = L' ';
    std::printf("  message: %s\n", Narrow(line).c_str());
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(box); }, Ms(3000));
    return text;
}

// The message names the file (or, for a folder, the folder) and a reason.
void ExpectNamesFileAndReason(const std::wstring& text, const std::wstring& name, const char* when) {
    EXPECT_NE(text.find(L"could not be saved"), std::wstring::npos) << when << ": " << Narrow(text);
    EXPECT_NE(text.find(name), std::wstring::npos) << when << ": " << Narrow(text);
    const size_t reason = text.find(L"Reason: ");
    ASSERT_NE(reason, std::wstring::npos) << when << ": " << Narrow(text);
    EXPECT_GT(text.find(L'\n', reason) - reason, 9u) << when << ": the reason is empty";
}

size_t CommandsReceived(ToolRun& run, unsigned code) {
    size_t n = 0;
    for (const SimLogLine& l : run.Sim()->Log())
        if (ReceivedCommand(code)(l)) ++n;
    return n;
}

// Opens the lighting window, picks style 5 and presses OK: the main window saves.
bool EditLightingAndOk(ToolRun& run) {
    if (!run.ClickCommand(cmd::LIGHTING)) return false;
    HWND light = WaitForWindow(svc::LIGHT_WINDOW_TITLE, Ms(10000), run.Proc().Pid());
    if (!light) return false;
    Sleep(300);
    auto click = [&](const wchar_t* key) {
        return ClickAt(light, CenterOf(SkinFileEntry(L"LightOption.ini", L"BUTTONINFO", key).rect));
    };
    if (!click(L"17") || !click(L"6")) return false;
    return WaitForWindowGone(svc::LIGHT_WINDOW_TITLE, Ms(5000), run.Proc().Pid());
}

// Apply that succeeds: the service is asked to apply and the wait ends.
bool ApplySucceeds(ToolRun& run) {
    if (!run.ClickCommand(cmd::APPLY)) return false;
    if (!run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_PROFILE), Ms(5000))) return false;
    return WaitForWindowGone(svc::LOADING_WINDOW_TITLE, Ms(5000), run.Proc().Pid());
}

struct FaultCase {
    const char* name;
    Fault fault;
};
const FaultCase kFaults[] = {
    {"held open without sharing by another process", Fault::Locked},
    {"read-only file", Fault::ReadOnlyFile},
    {"read-only data folder", Fault::ReadOnlyFolder},
};

}  // namespace

TEST(SaveFaults, LightingOkAndApplyReportTheFileKeepTheEditAndSucceedOnRetry) {
    for (const FaultCase& c : kFaults) {
        SCOPED_TRACE(c.name);
        ToolRun run;
        DataMount mount;
        if (c.fault == Fault::ReadOnlyFolder) MOUNT_OR_FAIL(mount, run.Data(), 8192);
        WriteSettings(run.Data(), *PresentConfig());
        ASSERT_TRUE(run.Start());
        const auto before = SixFiles(run.Data());
        InjectedFault fault(c.fault, run.Data() + L"Config.config", &mount);
        ASSERT_TRUE(fault.Put());
        const size_t lightsBefore = CommandsReceived(run, svc::SVC_APPLY_LIGHT);

        ASSERT_TRUE(EditLightingAndOk(run));
        const std::wstring named = c.fault == Fault::ReadOnlyFolder ? L"" : L"Config.config";
        ExpectNamesFileAndReason(TakeSaveMessage(run), named, "lighting OK");
        ASSERT_TRUE(run.ClickCommand(cmd::APPLY));
        ExpectNamesFileAndReason(TakeSaveMessage(run), named, "Apply");
        EXPECT_TRUE(run.Responsive());
        // Nothing was sent to apply: the service would have read the old files.
        EXPECT_FALSE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_PROFILE), Ms(1500)));
        EXPECT_EQ(CommandsReceived(run, svc::SVC_APPLY_LIGHT), lightsBefore);
        fault.Lift();
        EXPECT_EQ(Changed(SixFiles(run.Data()), before), "") << "a refused save changed these files";

        // The edit was kept in memory: the retry saves it and applies.
        ASSERT_TRUE(ApplySucceeds(run));
        EXPECT_EQ(run.OtherWindow(), nullptr);
        EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"LIGHTSTYLE"), EDITED_STYLE);
    }
}

TEST(SaveFaults, ResetReportsTheFileKeepsTheResetAndSucceedsOnRetry) {
    // What profile I's file holds once the reset is saved.
    auto reset = AssignedConfig();
    ResetProfile(reset->Profile[0]);
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring scratch = std::wstring(temp) + L"zavo-reset-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(scratch.c_str(), nullptr);
    ASSERT_TRUE(SaveConfiguration(scratch, *reset));
    const std::string resetProfile = Bytes(scratch + L"Profile0.prof");
    for (const std::wstring& name : fs::ListFiles(scratch, L"")) fs::RemoveFile(scratch + name);
    RemoveDirectoryW(scratch.c_str());

    for (const FaultCase& c : kFaults) {
        SCOPED_TRACE(c.name);
        ToolRun run;
        DataMount mount;
        if (c.fault == Fault::ReadOnlyFolder) MOUNT_OR_FAIL(mount, run.Data(), 8192);
        WriteSettings(run.Data(), *AssignedConfig());
        ASSERT_TRUE(run.Start());
        const auto before = SixFiles(run.Data());
        ASSERT_FALSE(before.at(L"Profile0.prof") == resetProfile);
        InjectedFault fault(c.fault, run.Data() + L"Profile0.prof", &mount);
        ASSERT_TRUE(fault.Put());

        ASSERT_TRUE(run.ClickCommand(cmd::RESET));
        ASSERT_TRUE(run.Answer(run.WaitOtherWindow(), true));
        ExpectNamesFileAndReason(TakeSaveMessage(run), c.fault == Fault::ReadOnlyFolder ? L"" : L"Profile0.prof",
                                 "Reset");
        EXPECT_TRUE(run.Responsive());
        EXPECT_FALSE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_PROFILE), Ms(1500)));
        EXPECT_FALSE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_LIGHT), Ms(100)));
        fault.Lift();
        // The failed reset removed nothing: profile I's file is still the old one.
        EXPECT_EQ(Changed(SixFiles(run.Data()), before), "") << "a refused save changed or removed these files";

        // The retry writes the cleared profile whole: no key of the old file stays.
        ASSERT_TRUE(ApplySucceeds(run));
        EXPECT_TRUE(Bytes(run.Data() + L"Profile0.prof") == resetProfile);
        EXPECT_FALSE(fs::FileExists(run.Data() + L"Profile0.prof.reset"));
    }
}

TEST(SaveFaults, DataFolderThatFillsUpDuringTheSaveTearsNothing) {
    ToolRun run;
    DataMount mount;
    MOUNT_OR_FAIL(mount, run.Data(), 2048);
    WriteSettings(run.Data(), *AssignedConfig());
    ASSERT_TRUE(run.Start());
    const auto before = SixFiles(run.Data());
    // Room for half of profile I's file: the disk fills in the middle of its write.
    ASSERT_TRUE(mount.FillLeaving(static_cast<unsigned long>(before.at(L"Profile0.prof").size() / 2)));

    ASSERT_TRUE(run.ClickCommand(cmd::RESET));
    ASSERT_TRUE(run.Answer(run.WaitOtherWindow(), true));
    ExpectNamesFileAndReason(TakeSaveMessage(run), L"Profile0.prof", "full disk");
    EXPECT_FALSE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_PROFILE), Ms(1500)));
    // Every file still holds its old content, complete; no temporary file was
    // left behind to hold the space.
    EXPECT_EQ(Changed(SixFiles(run.Data()), before), "") << "torn or changed by the failed save";
    for (const std::wstring& name : fs::ListFiles(run.Data(), L""))
        EXPECT_TRUE(name == L"filler" || !fs::IsPendingFileName(name)) << Narrow(name);

    // With room again, the reset kept in memory is saved.
    mount.Unfill();
    ASSERT_TRUE(ApplySucceeds(run));
    EXPECT_FALSE(Bytes(run.Data() + L"Profile0.prof") == before.at(L"Profile0.prof"));
}
