#include "app/AppState.h"

namespace zavo {

std::wstring DataFolder;
std::wstring ProgramFolder;
std::vector<std::wstring> LangTexts;
std::wstring LayoutCode = L"EN";

const std::wstring& LangText(int index) {
    static const std::wstring empty;
    if (index < 0 || static_cast<size_t>(index) >= LangTexts.size()) return empty;
    return LangTexts[static_cast<size_t>(index)];
}

std::wstring SkinFolder() { return ProgramFolder + L"Skins\\"; }

}  // namespace zavo
