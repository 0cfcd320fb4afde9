// The harness pieces that other end-to-end tests take on trust: real input lands
// on the intended client point, log lines parse back as written, screenshots are
// real pictures, children get the environment they were given.
#include <gtest/gtest.h>

#include "Harness.h"
#include "TempDir.h"
#include "platform/FileSystem.h"

using namespace zavo::e2e;

namespace {

// A visible window at a known place that records mouse button presses.
class ClickTarget {
public:
    ClickTarget() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = L"ZavoE2eClickTarget";
        RegisterClassW(&wc);
        m_hWnd = CreateWindowW(wc.lpszClassName, L"click target", WS_POPUP | WS_VISIBLE, 200, 150, 300, 200, nullptr,
                               nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetForegroundWindow(m_hWnd);
        UpdateWindow(m_hWnd);
        Pump();
    }
    ~ClickTarget() { DestroyWindow(m_hWnd); }
    HWND m_hWnd;
    std::vector<std::pair<UINT, POINT>> m_clicks;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<ClickTarget*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_RBUTTONUP)) {
            self->m_clicks.push_back({msg, POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}});
        }
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
};

}  // namespace

TEST(E2eHarness, ClickAtLandsOnTheClientPoint) {
    ClickTarget target;
    ASSERT_TRUE(ClickAt(target.m_hWnd, POINT{40, 70}));
    ASSERT_TRUE(ClickAt(target.m_hWnd, POINT{250, 20}, /*rightButton=*/true));
    ASSERT_TRUE(WaitUntil([&] { return target.m_clicks.size() >= 3; }, Ms(3000)));
    EXPECT_EQ(target.m_clicks[0].first, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(target.m_clicks[0].second.x, 40);
    EXPECT_EQ(target.m_clicks[0].second.y, 70);
    EXPECT_EQ(target.m_clicks[1].first, static_cast<UINT>(WM_LBUTTONUP));
    EXPECT_EQ(target.m_clicks[2].first, static_cast<UINT>(WM_RBUTTONUP));
    EXPECT_EQ(target.m_clicks[2].second.x, 250);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 200 + 250);
    EXPECT_EQ(cursor.y, 150 + 20);
}

TEST(E2eHarness, XdoClickAtLandsOnTheClientPoint) {
    if (!HaveXdotool()) GTEST_SKIP() << "xdotool is not installed";
    ClickTarget target;
    EXPECT_EQ(RunXdotool({L"getmouselocation"}), 0u);
    EXPECT_EQ(RunXdotool({L"no-such-command"}), 1u) << "the exit status comes back";
    ASSERT_TRUE(XdoClickAt(target.m_hWnd, POINT{120, 90}));
    ASSERT_TRUE(WaitUntil([&] { return target.m_clicks.size() >= 2; }, Ms(3000)));
    EXPECT_EQ(target.m_clicks[0].first, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(target.m_clicks[0].second.x, 120);
    EXPECT_EQ(target.m_clicks[0].second.y, 90);
}

TEST(E2eHarness, SimLogLinesParseBackAsWritten) {
    struct Case {
        const char* line;
        const char* event;
        std::map<std::string, std::string> fields;
    } cases[] = {
        {"12:00:01.250 42 recv msg=2026 code=1 name=SVC_APPLY_PROFILE lparam=-2 via=post",
         "recv",
         {{"msg", "2026"}, {"code", "1"}, {"lparam", "-2"}, {"via", "post"}}},
        {"12:00:01.250 43 check file=Profile3.prof ok=0 problem=\"[BUTTONCONFIG4] FunID: \\\"x\\\" is bad\"",
         "check",
         {{"problem", "[BUTTONCONFIG4] FunID: \"x\" is bad"}}},
        {"12:00:01.250 44 start data=\"C:\\\\users\\\\a b\\\\\" log=\"\"",
         "start",
         {{"data", "C:\\users\\a b\\"}, {"log", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto parsed = ParseSimLogLine(c.line);
        ASSERT_TRUE(parsed);
        EXPECT_TRUE(parsed->Is(c.event, c.fields));
    }
    auto bare = ParseSimLogLine("12:00:01.250 44 stop");
    ASSERT_TRUE(bare);
    EXPECT_TRUE(bare->fields.empty());
    EXPECT_FALSE(ParseSimLogLine("12:00:01.250 notanumber recv"));
    EXPECT_FALSE(ParseSimLogLine("12:00:01.250 44 recv stray"));
    EXPECT_FALSE(ParseSimLogLine(""));
}

TEST(E2eHarness, ScreenshotsArePictures) {
    TempDir dir;
    ClickTarget target;
    ASSERT_TRUE(SaveScreenshot(dir.path() + L"shot.png", target.m_hWnd));
    ASSERT_TRUE(SaveScreenshot(dir.path() + L"shot.bmp"));
    std::string png, bmp;
    ASSERT_TRUE(zavo::fs::ReadWholeFile(dir.path() + L"shot.png", png));
    ASSERT_TRUE(zavo::fs::ReadWholeFile(dir.path() + L"shot.bmp", bmp));
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_GT(bmp.size(), 1280u * 1024u * 3u) << "the whole screen";
}

TEST(E2eHarness, ChildrenGetTheGivenEnvironmentAndExitCode) {
    // cmd.exe of the prefix echoes the variable into a file and exits with a code.
    TempDir dir;
    std::wstring out = dir.path() + L"env.txt";
    auto code = RunToExit(L"C:\\windows\\system32\\cmd.exe", {L"/c", L"echo %ZAVO_PROBE%>" + out + L" & exit 7"},
                          Ms(15000), {{L"ZAVO_PROBE", L"hello there"}});
    ASSERT_TRUE(code);
    EXPECT_EQ(*code, 7u);
    std::string text;
    ASSERT_TRUE(zavo::fs::ReadWholeFile(out, text));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    EXPECT_EQ(text, "hello there");
}
