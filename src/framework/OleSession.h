// The OLE session of the user-interface thread: OleInitialize on construction,
// OleUninitialize on destruction when the start succeeded. The picture decoder
// of the skins needs it.
#pragma once

#include <ole2.h>

namespace zavo {

class OleSession {
public:
    OleSession() : m_ok(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleSession() {
        if (m_ok) ::OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    bool Ok() const { return m_ok; }

private:
    bool m_ok;
};

}  // namespace zavo
