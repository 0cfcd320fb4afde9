// KeyNameBox: a narrow box of a key dialog that shows a key's name. A name
// wider than the box is shown in a smaller face of the dialog's font, the
// largest that shows it whole, down to a readable minimum; a name that does
// not fit even then is shown cut with an ellipsis, and a tooltip over the box
// shows it whole.
//
// The dialog passes its thread's messages to RelayEvent (from
// PreTranslateMessage): the mouse over the box reaches the tooltip even when
// the box is disabled and the dialog gets the mouse in its place.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Controls.h"
#include "framework/Gdi.h"

namespace zavo {

class KeyNameBox {
public:
    // The smallest character height (pixels) a name is shrunk to.
    static constexpr int kMinTextHeight = 7;

    KeyNameBox() = default;
    ~KeyNameBox();
    KeyNameBox(const KeyNameBox&) = delete;
    KeyNameBox& operator=(const KeyNameBox&) = delete;

    // The box (a child of its dialog, placed and sized already); each opening
    // of the dialog attaches it again.
    void Attach(CEdit& box);
    // Shows `name` (a reader is told the box's value changed).
    void Show(const std::wstring& name);
    // The whole name shown last (the box may show it cut).
    const std::wstring& Name() const { return m_Name; }
    void RelayEvent(const MSG* msg);

    // The tooltip window: null until a name did not fit.
    HWND Tooltip() const { return m_Tooltip; }

private:
    HFONT FaceFor(const std::wstring& name);
    void SetTip(const std::wstring& tip);
    void DestroyTooltip();

    CEdit* m_pBox = nullptr;
    ScopedFont m_Face;
    HWND m_Tooltip = nullptr;  // destroyed here (or with the dialog that owns it)
    bool m_HasTool = false;
    std::wstring m_Tip;
    std::wstring m_Name;
};

}  // namespace zavo
