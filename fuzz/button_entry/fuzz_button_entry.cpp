// Button entries are read from editable skin files. The input bytes are taken
// as UTF-8 text, the encoding skin files are usually written in; the parse must
// keep its field limits and its latch rule for any text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/TextCodec.h"
#include "skin/SkinEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::wstring value = zavo::text::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    zavo::ButtonEntry e = zavo::ParseButtonEntry(value);
    if (e.name.size() > zavo::BUTTON_NAME_MAX || e.text.size() > zavo::BUTTON_TEXT_MAX) std::abort();
    size_t comma = value.find(L',');
    std::wstring rest = comma == std::wstring::npos ? value : value.substr(comma + 1);
    if (e.latched != (rest.find(L"TRUE") != std::wstring::npos)) std::abort();
    if (comma == std::wstring::npos && !e.name.empty()) std::abort();
    return 0;
}
