#include "Harness.h"
#include "service/ServiceCodes.h"

namespace zavo::e2e {

namespace {

std::wstring TempLogPath() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    return std::wstring(base) + L"zavo-devicesim-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter) + L".log";
}

}  // namespace

DeviceSim::DeviceSim(const std::wstring& dataFolder, const std::vector<std::wstring>& args, const EnvVars& env)
    : m_logPath(TempLogPath()) {
    // The log lies outside the data folder, so that a test can watch a first start
    // of the tool with no data folder at all.
    DeleteFileW(m_logPath.c_str());
    std::vector<std::wstring> all{L"--log", m_logPath};
    if (!dataFolder.empty()) all.insert(all.end(), {L"--data", dataFolder});
    all.insert(all.end(), args.begin(), args.end());
    m_process = Process::Start(BinPath(L"devicesim.exe"), all, env);
    if (!m_process.Started()) return;
    HWND window = WaitForWindow(svc::SERVICE_WINDOW_TITLE, Ms(15000), m_process.Pid());
    if (window && WaitForSimLog(
                      m_logPath, [](const SimLogLine& l) { return l.event == "start"; }, Ms(10000))) {
        m_hWnd = window;
    }
}

DeviceSim::~DeviceSim() {
    m_process.Kill();
    DeleteFileW(m_logPath.c_str());
}

std::optional<DWORD> DeviceSim::Send(const std::vector<std::wstring>& args, Ms timeout) {
    std::vector<std::wstring> all{L"send"};
    all.insert(all.end(), args.begin(), args.end());
    return RunToExit(BinPath(L"devicesim.exe"), all, timeout);
}

}  // namespace zavo::e2e
