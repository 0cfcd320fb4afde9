// Settings files another program replaced while the tool was open: the next
// save asks first, and each answer does what it says.
#include <gtest/gtest.h>

#include "ToolRun.h"
#include "config/ConfigStore.h"
#include "platform/TextCodec.h"
#include "service/ServiceCodes.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

constexpr int kAnswerReload = 1001;  // the question's two command buttons
constexpr int kAnswerKeep = 1002;

std::unique_ptr<KeyboardConfig> WithApp(const wchar_t* path) {
    auto config = PresentConfig();
    config->Profile[0].Button[1].FunID = FUNID_APP;
    config->Profile[0].Button[1].AppPath = path;
    return config;
}

std::wstring AppOfSlot1(const ToolRun& run) {
    return SettingString(run.Data(), L"Profile0.prof", L"BUTTONCONFIG1", L"APP Path");
}

size_t Applies(ToolRun& run) {
    const SimLogPredicate apply = ReceivedCommand(svc::SVC_APPLY_PROFILE);
    size_t n = 0;
    for (const SimLogLine& l : run.Sim()->Log()) n += apply(l) ? 1 : 0;
    return n;
}

// Clicks APPLY and waits for the question; it names the file that changed.
HWND ApplyAndExpectTheQuestion(ToolRun& run) {
    if (!run.ClickCommand(cmd::APPLY)) return nullptr;
    HWND question = run.WaitOtherWindow();
    if (!question) return nullptr;
    const std::wstring text = ChildTexts(question);
    EXPECT_NE(text.find(L"Profile0.prof"), std::wstring::npos) << text::ToUtf8(text);
    EXPECT_EQ(text.find(L"Config.config"), std::wstring::npos) << text::ToUtf8(text);
    return question;
}

void Choose(ToolRun& run, HWND question, int answer) {
    HWND button = GetDlgItem(question, answer);
    ASSERT_TRUE(button) << "no button " << answer;
    PostMessageW(question, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }, Ms(5000)));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(run.Main()) != FALSE; }, Ms(5000)));
}

}  // namespace

// The tool open with one profile, then another program (a restore from the
// command line, say) writes another over it; APPLY brings up the question.
class MainOutsideChanges : public ::testing::Test {
protected:
    void SetUp() override {
        WriteSettings(run.Data(), *WithApp(L"C:\\Games\\mine.exe"));
        ASSERT_TRUE(run.Start());
        WriteSettings(run.Data(), *WithApp(L"C:\\Games\\restored.exe"));
        applies = Applies(run);
        question = ApplyAndExpectTheQuestion(run);
        ASSERT_TRUE(question);
    }
    ToolRun run;
    size_t applies = 0;
    HWND question = nullptr;
};

TEST_F(MainOutsideChanges, ApplyAsksBeforeOverwritingAndReloadTakesTheOtherFiles) {
    Shot(L"outside-change-question", question);
    // Nothing was written while the question is open.
    EXPECT_EQ(AppOfSlot1(run), L"C:\\Games\\restored.exe");
    ASSERT_NO_FATAL_FAILURE(Choose(run, question, kAnswerReload));
    Sleep(1500);
    EXPECT_EQ(Applies(run), applies) << "a reload applies nothing";
    EXPECT_EQ(AppOfSlot1(run), L"C:\\Games\\restored.exe");

    // The window now holds the restored settings: the next save keeps them and asks nothing.
    ASSERT_TRUE(run.RequestSave());
    EXPECT_EQ(run.OtherWindow(), nullptr);
    EXPECT_EQ(AppOfSlot1(run), L"C:\\Games\\restored.exe");
}

TEST_F(MainOutsideChanges, KeepMineSavesTheWindowsSettingsAndCancelSavesNothing) {
    ASSERT_TRUE(run.Answer(question, false));  // Esc: cancel
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }, Ms(5000)));
    Sleep(1500);
    EXPECT_EQ(AppOfSlot1(run), L"C:\\Games\\restored.exe");
    EXPECT_EQ(Applies(run), applies);

    question = ApplyAndExpectTheQuestion(run);
    ASSERT_TRUE(question);
    ASSERT_NO_FATAL_FAILURE(Choose(run, question, kAnswerKeep));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_PROFILE, 0), Ms(8000)));
    EXPECT_EQ(AppOfSlot1(run), L"C:\\Games\\mine.exe");
}
