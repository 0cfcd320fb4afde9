#include "Harness.h"

#include <shellapi.h>

namespace zavo::e2e {

namespace {

constexpr wchar_t SHELL_FOLDERS[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr wchar_t MARK[] = L"zavo-e2e-";  // in every temporary folder this class makes
constexpr wchar_t WINDOWS_DEFAULT[] = L"%USERPROFILE%\\AppData\\Roaming";

std::optional<std::wstring> ReadAppDataValue() {
    wchar_t value[1024] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, SHELL_FOLDERS, L"AppData", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                     nullptr, value, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(value);
}

void WriteAppDataValue(const std::optional<std::wstring>& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SHELL_FOLDERS, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    if (value) {
        RegSetValueExW(key, L"AppData", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                       static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
    } else {
        RegDeleteValueW(key, L"AppData");
    }
    RegCloseKey(key);
}

void RemoveTree(const std::wstring& folder) {
    std::wstring from = folder;
    if (!from.empty() && from.back() == L'\\') from.pop_back();
    from.append(2, L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

}  // namespace

PrivateAppData::PrivateAppData() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    m_root =
        std::wstring(base) + MARK + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L"\\";
    m_appData = m_root + L"Roaming\\";
    CreateDirectoryW(m_root.c_str(), nullptr);
    CreateDirectoryW(m_appData.c_str(), nullptr);
    m_saved = ReadAppDataValue();
    // A redirection left by a test that was killed before it could restore it.
    if (m_saved && m_saved->find(MARK) != std::wstring::npos) m_saved = WINDOWS_DEFAULT;
    WriteAppDataValue(m_appData.substr(0, m_appData.size() - 1));
}

PrivateAppData::~PrivateAppData() {
    WriteAppDataValue(m_saved);
    RemoveTree(m_root);
}

}  // namespace zavo::e2e
