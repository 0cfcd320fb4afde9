// The device service misbehaving beside the running tool: absent at start, hung
// (never answering an apply, never returning a sent command), dying in the
// middle of an apply, restarting, and flooding the tool with notifications.
// Throughout, the main window answers a message within a second (a check that
// its thread is not stuck, not a speed figure), the edits reach the files, and
// the tool works with the service once it is back.
#include <gtest/gtest.h>

#include <memory>

#include "GuiResources.h"
#include "ToolRun.h"
#include "service/ServiceCodes.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

constexpr int EDITED_MODE = 1;

// A fresh simulator on the tool's data folder, as the service starts again.
std::unique_ptr<DeviceSim> StartSim(ToolRun& run, const std::vector<std::wstring>& args = {}) {
    return std::make_unique<DeviceSim>(run.Data(), args, run.appData.Env());
}

// Watches the tool while `busy` runs: it must answer WM_NULL within a second
// every time it is asked, until `done` holds or `timeout` passes.
bool StaysResponsiveUntil(ToolRun& run, const std::function<bool()>& done, Ms timeout) {
    bool answered = true;
    WaitUntil(
        [&] {
            answered = answered && run.Responsive();
            return !answered || done();
        },
        timeout, Ms(100));
    return answered;
}

// Apply with `sim` as the service: it is asked and answers, the wait ends.
bool ApplyReachesTheService(ToolRun& run, DeviceSim& sim) {
    if (!run.ClickCommand(cmd::APPLY)) return false;
    if (!sim.WaitFor([](const SimLogLine& l) { return l.Is("reply", {{"ok", "1"}}); }, Ms(8000))) return false;
    return WaitForWindowGone(svc::LOADING_WINDOW_TITLE, Ms(5000), run.Proc().Pid());
}

}  // namespace

TEST(ServiceFaults, AbsentAtStartThenStartedIsUsedByTheNextApply) {
    ToolRun run(ToolRun::Service::None);
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.ClickCommand(cmd::MODE1));  // an edit while nothing listens
    EXPECT_TRUE(WaitUntil([&] { return run.ConfigInt(L"CONFIG", L"Mode") == EDITED_MODE; }, Ms(3000)));
    EXPECT_TRUE(run.Responsive());
    auto sim = StartSim(run);
    ASSERT_TRUE(sim->Ready());
    EXPECT_TRUE(ApplyReachesTheService(run, *sim));
    EXPECT_EQ(run.ConfigInt(L"CONFIG", L"Mode"), EDITED_MODE);
}

TEST(ServiceFaults, HungServiceNeverStallsTheToolAndARestartedOneIsUsed) {
    ToolRun run(ToolRun::Service::HungSim);
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    // The mode told at start is a sent command: the simulator blocks in it for good.
    ASSERT_TRUE(run.Sim()->WaitFor([](const SimLogLine& l) { return l.event == "hang"; }));
    ASSERT_TRUE(run.ClickCommand(cmd::MODE1));  // sent again to the hung service
    EXPECT_TRUE(StaysResponsiveUntil(run, [&] { return run.ConfigInt(L"CONFIG", L"Mode") == EDITED_MODE; },
                                     Ms(8000)));
    ASSERT_TRUE(run.ClickCommand(cmd::APPLY));  // never answered
    ASSERT_TRUE(WaitForWindow(svc::LOADING_WINDOW_TITLE, Ms(3000), run.Proc().Pid()));
    EXPECT_TRUE(StaysResponsiveUntil(run, [] { return false; }, Ms(3000)));

    // The service is restarted: the old one ends, a new one comes.
    run.Sim()->Proc().Kill();
    EXPECT_TRUE(StaysResponsiveUntil(
        run, [&] { return !FindTopWindow(svc::LOADING_WINDOW_TITLE, run.Proc().Pid()); }, Ms(5000)));
    auto sim = StartSim(run);
    ASSERT_TRUE(sim->Ready());
    EXPECT_TRUE(ApplyReachesTheService(run, *sim));
    EXPECT_EQ(run.ConfigInt(L"CONFIG", L"Mode"), EDITED_MODE);
}

TEST(ServiceFaults, ServiceDyingInTheMiddleOfAnApplyLosesNothing) {
    ToolRun run(ToolRun::Service::None);
    WriteSettings(run.Data(), *PresentConfig());
    auto dying = StartSim(run, {L"--die-on-apply"});
    ASSERT_TRUE(dying->Ready());
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.ClickCommand(cmd::MODE1));
    ASSERT_TRUE(run.ClickCommand(cmd::APPLY));
    ASSERT_TRUE(dying->WaitFor([](const SimLogLine& l) { return l.event == "die"; }, Ms(8000)));
    ASSERT_TRUE(dying->Proc().WaitExit(Ms(5000)).has_value());
    // The wait for the answer ends without it; the tool goes on.
    EXPECT_TRUE(StaysResponsiveUntil(
        run, [&] { return !FindTopWindow(svc::LOADING_WINDOW_TITLE, run.Proc().Pid()); }, Ms(8000)));
    EXPECT_FALSE(FindTopWindow(svc::LOADING_WINDOW_TITLE, run.Proc().Pid()));
    EXPECT_EQ(run.ConfigInt(L"CONFIG", L"Mode"), EDITED_MODE);

    auto sim = StartSim(run);
    ASSERT_TRUE(sim->Ready());
    EXPECT_TRUE(ApplyReachesTheService(run, *sim));
}

TEST(ServiceFaults, NotificationFloodKeepsTheToolResponsiveAndLeaksNothing) {
    // The pointer away from the tool: a tooltip shown by a hover would make GDI
    // objects at some moment of the count.
    SetCursorPos(0, 0);
    ToolRun run;
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.ClickCommand(cmd::MODE1));
    ASSERT_TRUE(WaitUntil([&] { return run.ConfigInt(L"CONFIG", L"Mode") == EDITED_MODE; }, Ms(3000)));
    SetCursorPos(0, 0);
    // The lighting notification re-reads the lighting values; the flood ends
    // with a save request, so the files show when the tool has caught up.
    auto flood = [&](int count) {
        const std::wstring profile4 = run.Data() + L"Profile4.prof";
        DeleteFileW(profile4.c_str());
        auto sent = DeviceSim::Send({L"flood", std::to_wstring(count), std::to_wstring(svc::NOTIFY_LIGHT)}, Ms(60000));
        EXPECT_EQ(sent, std::optional<DWORD>(0u)) << "devicesim send flood " << count;
        if (DeviceSim::Send({L"save"}) != 0u) return false;
        return StaysResponsiveUntil(
            run, [&] { return GetFileAttributesW(profile4.c_str()) != INVALID_FILE_ATTRIBUTES; }, Ms(60000));
    };

    // Every path of a notification and of the save has run before the count.
    ASSERT_TRUE(flood(1000));
    const GuiObjectCounts before = CountGuiObjects(run.Proc().Handle());
    ASSERT_GT(before.gdi, 0u);
    ASSERT_TRUE(flood(1000));
    const GuiObjectCounts after = CountGuiObjects(run.Proc().Handle());
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);

    EXPECT_TRUE(flood(10000)) << "the tool stopped answering during a burst of 10,000 notifications";
    const auto delivered = run.Sim()->WaitFor(
        [](const SimLogLine& l) { return l.event == "deliver" && l.Get("count") == "10000"; }, Ms(1000));
    ASSERT_TRUE(delivered);
    EXPECT_EQ(delivered->Get("posted"), "10000");
    // No edit was lost, and the service is still served.
    EXPECT_EQ(run.ConfigInt(L"CONFIG", L"Mode"), EDITED_MODE);
    EXPECT_TRUE(ApplyReachesTheService(run, *run.Sim()));
}
