#include "config/PlatformIni.h"

#include <windows.h>

#include <vector>

namespace zavo {
namespace {

fs::Status Written(BOOL ok, const std::wstring& file) {
    return ok ? fs::Status::Ok() : fs::SystemError(FileStep::Write, file, GetLastError());
}

class Platform final : public IniAccess {
public:
    std::wstring IniReadString(const std::wstring& f, std::wstring_view s, std::wstring_view k,
                               std::wstring_view d) override {
        wchar_t buf[2048];
        DWORD n = GetPrivateProfileStringW(Z(s).c_str(), Z(k).c_str(), Z(d).c_str(), buf, 2048, f.c_str());
        return std::wstring(buf, n);
    }
    std::int32_t IniReadInt(const std::wstring& f, std::wstring_view s, std::wstring_view k, std::int32_t d) override {
        return static_cast<std::int32_t>(GetPrivateProfileIntW(Z(s).c_str(), Z(k).c_str(), d, f.c_str()));
    }
    bool IniReadStruct(const std::wstring& f, std::wstring_view s, std::wstring_view k, void* t, size_t n) override {
        return GetPrivateProfileStructW(Z(s).c_str(), Z(k).c_str(), t, static_cast<UINT>(n), f.c_str()) != FALSE;
    }
    fs::Status IniWriteString(const std::wstring& f, std::wstring_view s, std::wstring_view k,
                              std::wstring_view v) override {
        return Written(WritePrivateProfileStringW(Z(s).c_str(), Z(k).c_str(), Z(v).c_str(), f.c_str()), f);
    }
    fs::Status IniWriteStruct(const std::wstring& f, std::wstring_view s, std::wstring_view k, const void* src,
                              size_t n) override {
        return Written(WritePrivateProfileStructW(Z(s).c_str(), Z(k).c_str(), const_cast<void*>(src),
                                                  static_cast<UINT>(n), f.c_str()),
                       f);
    }

private:
    static std::wstring Z(std::wstring_view v) { return std::wstring(v); }  // the calls need terminated text
};

}  // namespace

IniAccess& PlatformIni() {
    static Platform access;
    return access;
}

}  // namespace zavo
