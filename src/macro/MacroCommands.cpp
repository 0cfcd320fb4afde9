#include "macro/MacroCommands.h"

#include <algorithm>
#include <cstring>

#include "macro/KeyTables.h"

namespace zavo {
namespace {

enum class Shape { Tap, Chord, Device, Scroll };

struct CommandRow {
    Shape shape;
    std::int32_t first;   // virtual-key (Tap, Chord modifier), device code, scroll direction
    std::int32_t second;  // virtual-key of the chord's key
    const wchar_t* description;
};

constexpr std::int32_t VK_PRIOR_ = 0x21, VK_NEXT_ = 0x22, VK_DELETE_ = 0x2E, VK_SNAPSHOT_ = 0x2C;
constexpr std::int32_t VK_LCONTROL_ = 0xA2, VK_LMENU_ = 0xA4, VK_LWIN_ = 0x5B, VK_RWIN_ = 0x5C;

constexpr CommandRow kCommands[MACRO_COMMAND_COUNT] = {
    {Shape::Tap, VK_PRIOR_, 0, L"Page Up"},
    {Shape::Tap, VK_NEXT_, 0, L"Page Down"},
    {Shape::Chord, VK_LCONTROL_, 0x43, L"Ctrl+C"},
    {Shape::Chord, VK_LCONTROL_, 0x56, L"Ctrl+V"},
    {Shape::Chord, VK_LMENU_, 0x73, L"Alt+F4"},
    {Shape::Chord, VK_LWIN_, 0x44, L"Win+D"},
    {Shape::Chord, VK_LCONTROL_, 0x5A, L"Ctrl+Z"},
    {Shape::Chord, VK_LWIN_, 0x45, L"Win+E"},
    {Shape::Tap, VK_DELETE_, 0, L"Delete"},
    {Shape::Chord, VK_LCONTROL_, 0x58, L"Ctrl+X"},
    {Shape::Tap, VK_SNAPSHOT_, 0, L"Print Screen"},
    {Shape::Chord, VK_RWIN_, 0x4C, L"Win+L"},
    {Shape::Chord, VK_LCONTROL_, 0x41, L"Ctrl+A"},
    {Shape::Chord, VK_LCONTROL_, 0x46, L"Ctrl+F"},
    {Shape::Chord, VK_LCONTROL_, 0x50, L"Ctrl+P"},
    {Shape::Chord, VK_LCONTROL_, 0x53, L"Ctrl+S"},
    {Shape::Chord, VK_LCONTROL_, 0x4E, L"Ctrl+N"},
    {Shape::Device, 0xFE, 0, L"Device 0xFE"},
    {Shape::Device, 0xFC, 0, L"Device 0xFC"},
    {Shape::Device, 0xFB, 0, L"Device 0xFB"},
    {Shape::Scroll, 1, 0, L"Scroll Up"},
    {Shape::Scroll, 0, 0, L"Scroll Down"},
};

constexpr MacroEvent kWait{MACRO_DELAY_CODE, 1};  // 50 ms between the keys of a command

std::vector<MacroEvent> Tap(std::uint8_t code) { return {KeyEvent(code, true), kWait, KeyEvent(code, false)}; }

std::vector<MacroEvent> Chord(std::uint8_t modifier, std::uint8_t key) {
    return {KeyEvent(modifier, true), kWait, KeyEvent(key, true),      kWait,
            KeyEvent(key, false),     kWait, KeyEvent(modifier, false)};
}

}  // namespace

std::vector<MacroEvent> CommandExpansion(int index) {
    if (index < 0 || index >= MACRO_COMMAND_COUNT) return {};
    const CommandRow& row = kCommands[index];
    switch (row.shape) {
        case Shape::Tap:
            return Tap(VkToKeyCode(row.first));
        case Shape::Chord:
            return Chord(VkToKeyCode(row.first), VkToKeyCode(row.second));
        case Shape::Device:
            return Tap(static_cast<std::uint8_t>(row.first));
        case Shape::Scroll:
            return {MacroEvent{0xFA, static_cast<std::uint8_t>(row.first)}};
    }
    return {};
}

std::wstring CommandDescription(int index) {
    if (index < 0 || index >= MACRO_COMMAND_COUNT) return L"";
    return kCommands[index].description;
}

ExpandedMacro ExpandMacroCommands(const MacroEvents& events, std::int32_t count) {
    ExpandedMacro out;
    const int n = std::clamp<std::int32_t>(count, 0, MACRO_EVENT_MAX);
    for (int i = 0; i < n; ++i) {
        const MacroEvent e = events[static_cast<size_t>(i)];
        std::vector<MacroEvent> written =
            KindOf(e) == MacroEventKind::Command ? CommandExpansion(e.Value) : std::vector<MacroEvent>{e};
        if (out.Length + static_cast<int>(written.size()) > MACRO_EVENT_MAX) {
            out.Truncated = true;
            break;
        }
        for (const MacroEvent& w : written) out.Events[static_cast<size_t>(out.Length++)] = w;
    }
    return out;
}

void StoreInGroup(const ExpandedMacro& macro, MacroGroup& group) {
    static_assert(sizeof(macro.Events) == sizeof(group.Macro), "same 10880-byte block");
    std::memcpy(group.Macro.data(), macro.Events.data(), sizeof(group.Macro));
    group.MacroLength = static_cast<std::uint16_t>(macro.Length);
}

}  // namespace zavo
