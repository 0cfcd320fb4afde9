#include "app/AppContext.h"

namespace zavo {

const std::wstring& AppContext::LangText(int index) const {
    static const std::wstring empty;
    if (index < 0 || static_cast<size_t>(index) >= langTexts.size()) return empty;
    return langTexts[static_cast<size_t>(index)];
}

}  // namespace zavo
