// The real tool started from a program folder whose main skin was written to
// hurt: a face claiming huge dimensions, an empty mask, a T-key with an absurd
// rectangle, thousands of extra entries. The main window opens with a size one
// can see, answers and closes normally, or, when its face cannot be read at
// all, the tool says which picture it is and ends.
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
    bool refused;  // the tool names the picture and ends
};

}  // namespace

TEST(HostileSkin, TheMainWindowOpensAnswersAndCloses) {
    const SkinDamage cases[] = {
        {"main face claiming 100000 x 100000 pixels", L"main_main.bmp", HugeBmp(), false, true},
        {"empty main face", L"main_main.bmp", "", false, true},
        {"empty main mask", L"main_mask.bmp", "", false, false},
        {"T1 with an absurd rectangle, 5000 more entries", L"main.ini",
         "[T-KEYS]\r\n1=T1,-2147483648,2147483647,2147483647,-2147483648,T1,FALSE\r\n" + ThousandsOfEntries(), true,
         false},
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
        if (c.refused) {
            HWND box = WaitForWindow(L"ZAVOConfig", Ms(30000), tool.Pid());
            ASSERT_TRUE(box);
            const std::wstring text = ChildTexts(box);
            EXPECT_NE(text.find(std::wstring(L"Skins\\") + c.file), std::wstring::npos) << text::ToUtf8(text);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            const auto code = tool.WaitExit(Ms(15000));
            ASSERT_TRUE(code.has_value());
            EXPECT_EQ(*code, 1u) << "a run that could not start ends with exit code 1";
        } else {
            HWND main = nullptr;
            ASSERT_TRUE(WaitUntil(
                [&] {
                    main = FindTopWindow(svc::MAIN_WINDOW_TITLE, tool.Pid());
                    return main && IsWindowVisible(main);
                },
                Ms(30000)));
            EXPECT_TRUE(SendTo(main, WM_NULL, 0, 0, Ms(1000)).has_value());
            RECT rc{};
            GetWindowRect(main, &rc);
            EXPECT_GE(rc.right - rc.left, 100);
            EXPECT_GE(rc.bottom - rc.top, 100);
            PostMessageW(main, WM_CLOSE, 0, 0);
            EXPECT_TRUE(tool.WaitExit(Ms(15000)).has_value());
        }
        tool.Kill();
        RunShell(L"rm -rf " + ShellQuoted(UnixPath(folder.path())) + L"/Skins " + ShellQuoted(UnixPath(folder.path())) +
                 L"/lan");
    }
}
