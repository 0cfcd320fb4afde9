// Process-wide state shared by the windows, one instance each.
#pragma once
#include <string>
#include <vector>

namespace zavo {

// Per-user data folder with a trailing backslash ("" when it could not be found:
// the settings files are then addressed relative to the current folder).
extern std::wstring DataFolder;
// The executable's folder with a trailing backslash, set by the main window's
// layout builder before any other window exists.
extern std::wstring ProgramFolder;
// The 85 texts of the language module; entry i is string resource 101 + i.
extern std::vector<std::wstring> LangTexts;
// Keyboard layout code from the main skin; "JP" selects the Japanese key names.
extern std::wstring LayoutCode;

constexpr int LANG_TEXT_COUNT = 85;
constexpr int LANG_FIRST_STRING_ID = 101;

// LangTexts[index], or "" when the list is shorter (before loading, after the
// main window is gone).
const std::wstring& LangText(int index);

// ProgramFolder + "Skins\".
std::wstring SkinFolder();

}  // namespace zavo
