#include "skin/KeyStates.h"

#include <initializer_list>

namespace zavo {

bool KeyChanges::Has(int key) const {
    for (int i = 0; i < count; ++i)
        if (keys[i] == key) return true;
    return false;
}

int KeyStates::Add(const SkinRect& rect, bool latched) {
    m_Keys.push_back(Key{rect, latched, true});
    return Count() - 1;
}

void KeyStates::Clear() {
    m_Keys.clear();
    m_Hover = m_Pressed = -1;
}

int KeyStates::KeyAt(int x, int y) const {
    for (int k = 0; k < Count(); ++k) {
        const SkinRect& r = m_Keys[static_cast<std::size_t>(k)].rect;
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return k;
    }
    return -1;
}

bool KeyStates::IsLatched(int key) const { return Valid(key) && m_Keys[static_cast<std::size_t>(key)].latched; }

bool KeyStates::IsEnabled(int key) const { return Valid(key) && m_Keys[static_cast<std::size_t>(key)].enabled; }

KeyLook KeyStates::Look(int key) const {
    if (!Valid(key)) return KeyLook::Rest;
    const Key& k = m_Keys[static_cast<std::size_t>(key)];
    if (!k.enabled) return KeyLook::Disabled;
    if (k.latched || (key == m_Pressed && key == m_Hover)) return KeyLook::Down;
    // A key pressed and left shows at rest until the mouse comes back.
    if (key == m_Hover && m_Pressed < 0) return KeyLook::Over;
    return KeyLook::Rest;
}

template <typename Change>
KeyChanges KeyStates::Compare(std::initializer_list<int> candidates, Change change) {
    KeyLook before[3] = {};
    int index = 0;
    for (int key : candidates) before[index++] = Look(key);
    change();
    KeyChanges changes;
    index = 0;
    for (int key : candidates) {
        if (Valid(key) && Look(key) != before[index] && !changes.Has(key)) changes.keys[changes.count++] = key;
        ++index;
    }
    return changes;
}

bool KeyStates::SetLatched(int key, bool latched) {
    if (!Valid(key)) return false;
    return Compare({key}, [&] { m_Keys[static_cast<std::size_t>(key)].latched = latched; }).count > 0;
}

bool KeyStates::SetEnabled(int key, bool enabled) {
    if (!Valid(key)) return false;
    return Compare({key}, [&] { m_Keys[static_cast<std::size_t>(key)].enabled = enabled; }).count > 0;
}

KeyChanges KeyStates::MouseMove(int x, int y) {
    const int at = KeyAt(x, y);
    // While a key is pressed the others do not light up under the mouse.
    const int hover = m_Pressed >= 0 ? (at == m_Pressed ? at : -1) : (IsEnabled(at) ? at : -1);
    const int before = m_Hover;
    return Compare({before, hover}, [&] { m_Hover = hover; });
}

KeyChanges KeyStates::MouseLeave() {
    const int before = m_Hover;
    return Compare({before}, [&] { m_Hover = -1; });
}

bool KeyStates::Press(int x, int y, KeyChanges& changes) {
    const int at = KeyAt(x, y);
    if (!IsEnabled(at)) return false;
    const int hover = m_Hover, pressed = m_Pressed;
    changes = Compare({hover, pressed, at}, [&] {
        m_Pressed = at;
        m_Hover = at;
    });
    return true;
}

int KeyStates::Release(int x, int y, KeyChanges& changes) {
    const int pressed = m_Pressed;
    const int at = KeyAt(x, y);
    const int hover = m_Hover;
    const int newHover = IsEnabled(at) ? at : -1;
    changes = Compare({pressed, hover, newHover}, [&] {
        m_Pressed = -1;
        m_Hover = newHover;
    });
    return pressed >= 0 && at == pressed && IsEnabled(pressed) ? pressed : -1;
}

KeyChanges KeyStates::CancelPress() {
    const int pressed = m_Pressed;
    return Compare({pressed}, [&] {
        m_Pressed = -1;
        if (m_Hover == pressed) m_Hover = -1;
    });
}

}  // namespace zavo
