// One run of ZAVOConfig.exe for an end-to-end test: a private per-user folder,
// optionally devicesim beside it, the main window found, and the ways to drive
// it (real clicks at the skin's button places, messages) and to look at it.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Harness.h"
#include "config/KeyboardConfig.h"
#include "mainwnd/KeyboardView.h"
#include "skin/KeyStates.h"
#include "skin/SkinEntry.h"

namespace zavo::e2e {

// The display the run's tool draws for: ZAVO_DPI (the DPI of the Wine prefix
// a test registered with zavo_dpi_test runs in; 96 when unset), and the skin
// set of that scale, whose pictures and places the helpers below read.
unsigned RunDpi();
int RunScale();
// Skins\<the run's scale folder>\file in the build.
std::wstring SkinSetPath(const std::wstring& file);

// A button entry of a skin description file in the run's skin set.
ButtonEntry SkinFileEntry(const std::wstring& file, const std::wstring& section, const std::wstring& key);
// Places of the main window's buttons, read from the run's set's main.ini.
ButtonEntry MainSkinEntry(const std::wstring& section, int key);
POINT CenterOf(const SkinRect& r);
inline POINT CommandPoint(int key) { return CenterOf(MainSkinEntry(L"BUTTONINFO", key).rect); }
inline POINT TKeyPoint(int index) { return CenterOf(MainSkinEntry(L"T-KEYS", index + 1).rect); }
inline POINT StandardKeyPoint(int k) { return CenterOf(MainSkinEntry(L"STANDER-KEYS", k + 20).rect); }
inline SkinRect TKeyRect(int index) { return MainSkinEntry(L"T-KEYS", index + 1).rect; }
inline SkinRect StandardKeyRect(int k) { return MainSkinEntry(L"STANDER-KEYS", k + 20).rect; }

// A configuration written into the data folder before the tool starts. The
// device is present (DEVICEPSTATS 1) unless the test says otherwise.
std::unique_ptr<KeyboardConfig> PresentConfig();
void WriteSettings(const std::wstring& dataFolder, const KeyboardConfig& config);

class ToolRun {
public:
    enum class Service { None, Sim, HungSim };
    explicit ToolRun(Service service = Service::Sim);
    ~ToolRun();

    PrivateAppData appData;
    std::wstring Data() const { return appData.DataFolder(); }
    DeviceSim* Sim() { return m_sim.get(); }

    // Starts the tool and waits until its main window is visible. With a
    // warning expected, returns once the warning is up instead.
    bool Start(bool expectWarning = false);
    Process& Proc() { return m_tool; }
    HWND Main() const { return m_main; }
    // A visible top-level window of the tool other than the main window and the
    // loading dialog (the warning, a message box), or null.
    HWND OtherWindow() const;
    HWND WaitOtherWindow(Ms timeout = Ms(10000)) const;
    // A visible untitled dialog of the tool other than the main window and
    // `besides` (a pop-up menu), waited for up to `timeout`; null when none came.
    HWND WaitUntitledDialog(HWND besides, Ms timeout = Ms(5000)) const;
    // Answers the open warning or message box: OK (Enter) or Cancel (Esc).
    bool Answer(HWND dialog, bool ok) const;

    // Real input.
    bool ClickCommand(int key) const { return ClickAt(m_main, CommandPoint(key)); }
    bool ClickTKey(int index) const { return ClickAt(m_main, TKeyPoint(index)); }

    // The window of the tool's button or key at client point `pt` (null when none).
    HWND ChildAt(POINT pt) const;
    // The text of the status button "11".
    std::wstring StatusText() const;
    // True when the tool answers a message within a second (its thread is not stuck).
    bool Responsive() const;
    // Asks the tool to save (the service's request) and waits until the
    // configuration file has been written again.
    bool RequestSave();
    // Waits until the tool is gone and returns its exit code.
    std::optional<DWORD> WaitExit(Ms timeout = Ms(15000)) { return m_tool.WaitExit(timeout); }

    int ConfigInt(const std::wstring& section, const std::wstring& key) const {
        return SettingInt(Data(), L"Config.config", section, key);
    }

private:
    Process m_tool;
    std::unique_ptr<DeviceSim> m_sim;
    HWND m_main = nullptr;
};

// A screenshot kept as a test artefact, taken once the window has painted
// whatever it last changed (a whole window when `window` is null: the screen).
void Shot(const std::wstring& name, HWND window = nullptr);

// Pixels of a client rectangle of a window as they are on screen.
std::vector<DWORD> CapturePixels(HWND window, const RECT& client);
// The pixels of a w x h block of `bmp` at (x, y), top row first, without alpha
// (the form CapturePixels gives); empty without a bitmap.
std::vector<DWORD> BitmapPixels(HBITMAP bmp, int x, int y, int w, int h);
// Pixels of one of the executable's bitmap resources (the indicator letters).
std::vector<DWORD> ResourceBitmapPixels(HMODULE module, UINT id);
// Which of the main skin's four faces the main window shows at `r` (the keys
// are drawn by the window: what a key shows is its state); nothing when the
// pixels there are none of them.
std::optional<KeyLook> FaceShownAt(HWND main, const SkinRect& r);
// The indicator (at (221, 362), 22 x 22, at 100 %) shows the bitmap of resource
// `id` drawn for the run's scale.
bool IndicatorShows(HWND main, HMODULE exe, UINT id);

}  // namespace zavo::e2e
