// A fresh empty folder for one test, removed with everything in it afterwards.
// Its path ends with a backslash on Windows and a slash natively, like DataFolder.
#pragma once
#include <string>

#include "platform/TextCodec.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#else
#include <cstdlib>
#include <unistd.h>
#endif

class TempDir {
public:
    TempDir() {
#ifdef _WIN32
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        static unsigned counter = 0;
        path_ = std::wstring(base) + L"zavo-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        CreateDirectoryW(path_.c_str(), nullptr);
        path_ += L"\\";
#else
        std::string tmpl = "/tmp/zavo-test-XXXXXX";
        char* made = mkdtemp(tmpl.data());
        path_ = zavo::text::FromUtf8(made ? made : "/tmp") + L"/";
#endif
    }
    ~TempDir() {
#ifdef _WIN32
        std::wstring from = path_.substr(0, path_.size() - 1);
        from.push_back(L'\0');
        from.push_back(L'\0');
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NO_UI;
        SHFileOperationW(&op);
#else
        std::string cmd = "rm -rf '" + zavo::text::ToUtf8(path_) + "'";
        if (std::system(cmd.c_str()) != 0) {
        }
#endif
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};
