// Runs an action once, some milliseconds from now, from inside whatever message
// loop of the thread runs then (a modal dialog's included): the way a test acts
// on a modal window while DoModal holds the thread. Several may be pending at
// once; one that is destroyed before it fires never runs.
#pragma once
#include <windows.h>

#include <functional>
#include <map>

namespace zavo {

class Later {
public:
    Later(UINT ms, std::function<void()> action) : m_action(std::move(action)) {
        m_id = SetTimer(nullptr, 0, ms, Fire);
        Pending()[m_id] = this;
    }
    ~Later() {
        KillTimer(nullptr, m_id);
        Pending().erase(m_id);
    }
    Later(const Later&) = delete;
    Later& operator=(const Later&) = delete;

private:
    static std::map<UINT_PTR, Later*>& Pending() {
        static std::map<UINT_PTR, Later*> pending;
        return pending;
    }
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        auto it = Pending().find(id);
        if (it == Pending().end()) return;
        Later* later = it->second;
        Pending().erase(it);
        later->m_action();
    }
    UINT_PTR m_id = 0;
    std::function<void()> m_action;
};

}  // namespace zavo
