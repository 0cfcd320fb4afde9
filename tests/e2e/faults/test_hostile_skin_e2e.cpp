// The real tool started from a program folder whose main skin was written to
// hurt: a face claiming huge dimensions, an empty mask, a T-key with an absurd
// rectangle, thousands of extra entries. The main window must open, answer and
// close normally.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "TempDir.h"
#include "ToolRun.h"
#include "platform/TextCodec.h"
#include "service/ServiceCodes.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

void WriteBytes(const std::wstring& path, const std::string& bytes, bool append = false) {
    std::ofstream out(text::ToUtf8(path).c_str(), std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    out << bytes;
}

// A BMP header claiming 100000 x 100000 pixels of 32 bits with 64 bytes of them.
std::string HugeBmp() {
    std::string b = "BM";
    auto put = [&](std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(54 + 64, 4), put(0, 4), put(54, 4), put(40, 4), put(100000, 4), put(100000, 4), put(1, 2), put(32, 2);
    put(0, 4), put(0, 4), put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
    b.append(64, '\x7f');
    return b;
}

std::string ThousandsOfEntries() {
    std::string lines = "[T-KEYS]\r\n";
    for (int i = 100; i < 5100; ++i) lines += std::to_string(i) + "=X,1,1,1,1,X,FALSE\r\n";
    return lines;
}

struct SkinDamage {
    const char* name;
    const wchar_t* file;  // in Skins
    std::string bytes;
    bool append;
};

}  // namespace

TEST(HostileSkin, TheMainWindowOpensAnswersAndCloses) {
    const SkinDamage cases[] = {
        {"main face claiming 100000 x 100000 pixels", L"main_main.bmp", HugeBmp(), false},
        {"empty main mask", L"main_mask.bmp", "", false},
        {"T1 with an absurd rectangle, 5000 more entries",
         L"main.ini", "[T-KEYS]\r\n1=T1,-2147483648,2147483647,2147483647,-2147483648,T1,FALSE\r\n" + ThousandsOfEntries(),
         true},
    };
    for (const SkinDamage& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir folder;
        const std::wstring bin = UnixPath(BinDir());
        ASSERT_FALSE(bin.empty());
        auto copied = RunShell(L"cd " + ShellQuoted(bin) + L" && cp -r ZAVOConfig.exe KBHook.dll Skins lan " +
                                   ShellQuoted(UnixPath(folder.path())),
                               Ms(30000));
        ASSERT_EQ(copied, std::optional<DWORD>(0u));
        WriteBytes(folder.path() + L"Skins\\" + c.file, c.bytes, c.append);

        PrivateAppData appData;
        WriteSettings(appData.DataFolder(), *PresentConfig());
        Process tool = Process::Start(folder.path() + L"ZAVOConfig.exe", {}, appData.Env(), folder.path());
        ASSERT_TRUE(tool.Started());
        HWND main = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] {
                main = FindTopWindow(svc::MAIN_WINDOW_TITLE, tool.Pid());
                return main && IsWindowVisible(main);
            },
            Ms(30000)))
            << "no main window; exited: " << tool.WaitExit(Ms(0)).has_value();
        EXPECT_TRUE(SendTo(main, WM_NULL, 0, 0, Ms(1000)).has_value());
        Shot(L"hostile-skin-" + std::to_wstring(&c - cases), main);
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(tool.WaitExit(Ms(15000)).has_value());
        tool.Kill();
        RunShell(L"rm -rf " + ShellQuoted(UnixPath(folder.path())) + L"/Skins " +
                 ShellQuoted(UnixPath(folder.path())) + L"/lan");
    }
}
