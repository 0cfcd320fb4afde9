// The generated main skin: the on-screen key at "STANDER-KEYS" k + 20 must be
// the key that the key index table names for index k, or clicking it would edit
// another key. The key's tooltip (the entry's text) is compared with the key name
// of its key code, written the way the skin writes tooltips.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "config/Ini.h"
#include "macro/KeyNames.h"
#include "macro/KeyTables.h"
#include "platform/TextCodec.h"
#include "skin/SkinEntry.h"

namespace {

std::wstring MainSkin() {
    const char* bin = std::getenv("ZAVO_BIN_DIR");
    return bin ? zavo::text::FromUtf8(bin) + L"/Skins/main.ini" : L"";
}

// Key names as the skin's tooltips spell them.
std::wstring AsTooltip(const std::wstring& name) {
    static const std::map<std::wstring, std::wstring> spelled = {
        {L"ESC", L"Escape"},
        {L"TAB", L"Tab"},
        {L"Space Bar", L"Space"},
        {L"Pageup", L"Page Up"},
        {L"Pagedown", L"Page Down"},
        {L"PrtScr", L"Print Screen"},
        {L"Pause/Break", L"Pause"},
        {L"L Shift", L"Left Shift"},
        {L"R Shift", L"Right Shift"},
        {L"L Ctrl", L"Left Ctrl"},
        {L"R Ctrl", L"Right Ctrl"},
        {L"L Alt", L"Left Alt"},
        {L"R Alt", L"Right Alt"},
        {L"-", L"Minus"},
        {L"=", L"Equals"},
        {L"[", L"Left bracket"},
        {L"]", L"Right bracket"},
        {L";", L"Semicolon"},
        {L"'", L"Apostrophe"},
        {L",", L"Comma"},
        {L".", L"Full stop"},
        {L"/", L"Slash"},
        {L"(/)", L"Number pad /"},
        {L"(*)", L"Number pad *"},
        {L"(-)", L"Number pad -"},
        {L"(+)", L"Number pad +"},
        {L"(.)", L"Number pad ."},
        {L"(Enter)", L"Number pad Enter"},
    };
    auto it = spelled.find(name);
    if (it != spelled.end()) return it->second;
    if (name.size() == 3 && name[0] == L'(' && name[2] == L')' && iswdigit(name[1]))
        return std::wstring(L"Number pad ") + name[1];
    return name;
}

TEST(MainSkinKeys, EachKeyIsTheKeyItsIndexNames) {
    const std::wstring ini = MainSkin();
    ASSERT_FALSE(ini.empty()) << "ZAVO_BIN_DIR is not set";
    if (zavo::Settings().IniReadString(ini, L"Driver_Version", L"StrFont", L"") == L"JP")
        GTEST_SKIP() << "the Japanese skin prints its keys by their Japanese names";
    // Keys whose printed name differs from the key name on purpose: the ISO key
    // beside Enter is printed "#" and named by the backslash code it sends on US
    // layouts; the key left of 1 is printed "`" and named "~".
    const std::map<int, std::wstring> printedOtherwise = {{50, L"Hash"}, {16, L"Grave accent"}};
    // Keys the key names do not name as keys: the left Windows key, the
    // application key and the extra ISO key have no key code, and the right
    // Windows key's code carries the name of a pad direction.
    const std::set<int> unnamed = {92, 96, 97, 104};
    int checked = 0;
    for (int k = 0; k < zavo::KEY_INDEX_VK_TABLE_SIZE; ++k) {
        std::wstring raw;
        if (!zavo::Settings().IniReadRaw(ini, L"STANDER-KEYS", std::to_wstring(k + 20), raw)) continue;
        const zavo::ButtonEntry e =
            zavo::ParseButtonEntry(zavo::Settings().IniReadString(ini, L"STANDER-KEYS", std::to_wstring(k + 20), L""));
        const std::wstring name = zavo::KeyName(zavo::KeyIndexToKeyCode(k));
        if (unnamed.count(k)) continue;
        auto other = printedOtherwise.find(k);
        const std::wstring expected = other != printedOtherwise.end() ? other->second : AsTooltip(name);
        EXPECT_EQ(e.text, expected) << "key index " << k << " (key name \"" << zavo::text::ToUtf8(name) << "\")";
        ++checked;
    }
    EXPECT_GE(checked, 100);  // the full-size keyboard, Enter and all
}

TEST(MainSkinKeys, NoKeyBeyondTheIndexTable) {
    const std::wstring ini = MainSkin();
    for (int k = zavo::KEY_INDEX_VK_TABLE_SIZE; k < zavo::KEY_INDEX_COUNT; ++k) {
        std::wstring raw;
        EXPECT_FALSE(zavo::Settings().IniReadRaw(ini, L"STANDER-KEYS", std::to_wstring(k + 20), raw))
            << "key index " << k;
    }
}

}  // namespace
