#include "SimPaint.h"

#include <string>

namespace devicesim {

namespace {

constexpr COLORREF HEADER_BG = RGB(31, 38, 48);
constexpr COLORREF BODY_BG = RGB(246, 247, 249);
constexpr COLORREF LABEL = RGB(96, 104, 118);
constexpr COLORREF VALUE = RGB(28, 32, 40);
constexpr COLORREF ACCENT = RGB(45, 127, 249);
constexpr COLORREF GOOD = RGB(38, 160, 90);
constexpr COLORREF BAD = RGB(214, 64, 58);
constexpr COLORREF LIT = RGB(255, 176, 32);
constexpr COLORREF UNLIT = RGB(222, 225, 230);
constexpr COLORREF RULE = RGB(220, 223, 228);

constexpr int LABEL_X = 18;
constexpr int VALUE_X = 118;
constexpr int ROW_H = 28;

// Owns the fonts and brushes one paint needs.
class Painter {
public:
    Painter(HDC dc) : m_dc(dc) {
        m_normal = MakeFont(15, FW_NORMAL);
        m_bold = MakeFont(15, FW_BOLD);
        m_title = MakeFont(19, FW_BOLD);
        m_small = MakeFont(13, FW_NORMAL);
        SetBkMode(dc, TRANSPARENT);
    }
    ~Painter() {
        for (HFONT f : {m_normal, m_bold, m_title, m_small}) DeleteObject(f);
    }

    void Fill(const RECT& r, COLORREF color) {
        HBRUSH b = CreateSolidBrush(color);
        FillRect(m_dc, &r, b);
        DeleteObject(b);
    }
    void RoundBox(const RECT& r, COLORREF fill, COLORREF edge, int radius) {
        HBRUSH b = CreateSolidBrush(fill);
        HPEN p = CreatePen(PS_SOLID, 1, edge);
        HGDIOBJ ob = SelectObject(m_dc, b), op = SelectObject(m_dc, p);
        RoundRect(m_dc, r.left, r.top, r.right, r.bottom, radius, radius);
        SelectObject(m_dc, ob);
        SelectObject(m_dc, op);
        DeleteObject(b);
        DeleteObject(p);
    }
    // Draws text in a box; returns the right edge of the text.
    int Text(const std::wstring& s, RECT r, HFONT font, COLORREF color, UINT format = DT_LEFT) {
        HGDIOBJ old = SelectObject(m_dc, font);
        SetTextColor(m_dc, color);
        RECT measure = r;
        DrawTextW(m_dc, s.c_str(), static_cast<int>(s.size()), &measure, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        DrawTextW(m_dc, s.c_str(), static_cast<int>(s.size()), &r,
                  format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(m_dc, old);
        return measure.right;
    }

    HDC m_dc;
    HFONT m_normal, m_bold, m_title, m_small;

private:
    HFONT MakeFont(int height, int weight) {
        return CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Tahoma");
    }
};

// Rows 0..6 of the body; the files row (2) is two lines high.
RECT Row(const RECT& area, int index, int x) {
    int top = 62 + index * ROW_H + (index > 2 ? ROW_H - 8 : 0);
    int height = index == 2 ? 2 * ROW_H - 8 : ROW_H;
    return RECT{x, top, area.right - 16, top + height};
}

void PaintHeader(Painter& p, const RECT& area, const SimState& s) {
    RECT header{area.left, area.top, area.right, area.top + 50};
    p.Fill(header, HEADER_BG);
    p.Text(L"Device service simulator", RECT{18, 6, area.right - 120, 30}, p.m_title, RGB(255, 255, 255));
    std::wstring sub = s.devicePresent ? L"Keyboard present" : L"No keyboard";
    p.Text(sub + L"  \x00B7  window \"VARNOSHid\"", RECT{18, 28, area.right - 120, 46}, p.m_small, RGB(170, 180, 195));
    // Status pill: what the service is doing now.
    std::wstring status = s.hang ? L"HANG MODE" : s.pendingReplies > 0 ? L"APPLYING" : L"READY";
    COLORREF color = s.hang ? BAD : s.pendingReplies > 0 ? ACCENT : GOOD;
    RECT pill{area.right - 112, 14, area.right - 16, 38};
    p.RoundBox(pill, color, color, 12);
    p.Text(status, pill, p.m_bold, RGB(255, 255, 255), DT_CENTER);
}

void PaintProfileRow(Painter& p, const RECT& area, const SimState& s, int row) {
    p.Text(L"Profile", Row(area, row, LABEL_X), p.m_normal, LABEL);
    RECT r = Row(area, row, VALUE_X);
    for (int i = 0; i < 5; ++i) {
        RECT box{r.left + i * 30, r.top + 3, r.left + i * 30 + 24, r.bottom - 3};
        bool active = i == s.profile;
        p.RoundBox(box, active ? ACCENT : RGB(255, 255, 255), active ? ACCENT : RGB(190, 196, 205), 6);
        p.Text(std::to_wstring(i + 1), box, p.m_bold, active ? RGB(255, 255, 255) : LABEL, DT_CENTER);
    }
    std::wstring when = s.profileWhen.empty() ? L"nothing applied yet" : L"applied " + s.profileWhen;
    if (s.profile == 5) when = L"no profile (keyboard locked)";
    p.Text(when, RECT{r.left + 160, r.top, r.right, r.bottom}, p.m_normal, VALUE);
}

void PaintFilesRow(Painter& p, const RECT& area, const SimState& s, int row) {
    RECT label = Row(area, row, LABEL_X);
    label.bottom = label.top + ROW_H;
    p.Text(L"Files", label, p.m_normal, LABEL);
    RECT r = Row(area, row, VALUE_X);
    if (!s.filesChecked) {
        p.Text(L"read on the next apply", r, p.m_normal, LABEL);
        return;
    }
    RECT dot{r.left, r.top + 9, r.left + 10, r.top + 19};
    p.RoundBox(dot, s.filesOk ? GOOD : BAD, s.filesOk ? GOOD : BAD, 10);
    p.Text(s.filesSummary, RECT{r.left + 18, r.top, r.right, r.top + ROW_H}, p.m_normal, s.filesOk ? VALUE : BAD);
    p.Text(s.filesDetail, RECT{r.left + 18, r.top + ROW_H - 8, r.right, r.bottom}, p.m_small, s.filesOk ? LABEL : BAD);
}

// The 18 zones of the light state file for the applied light profile, three
// rows of six chips.
void PaintZones(Painter& p, const RECT& area, const SimState& s, int row) {
    p.Text(L"Lit zones", Row(area, row, LABEL_X), p.m_normal, LABEL);
    using Z = zavo::LightZone;
    struct Zone {
        const wchar_t* name;
        Z zone;
    } zones[] = {
        {L"T1-T5", Z::Tt1To5},
        {L"T6-T10", Z::Tt6To10},
        {L"1-6", Z::OneTo6},
        {L"1-0", Z::OneTo0},
        {L"Bksp", Z::BackSpace},
        {L"Num", Z::Number},
        {L"Tab", Z::Pinyin4},
        {L"Q", Z::Q},
        {L"W", Z::W},
        {L"E R", Z::ER},
        {L"T-]", Z::Pinyin1},
        {L"Arrows", Z::Direct},
        {L"A S", Z::AS},
        {L"D", Z::D},
        {L"F", Z::F},
        {L"G-#", Z::Pinyin2},
        {L"Z-/", Z::Pinyin3},
        {L"Bottom", Z::Pinyin5},
    };
    RECT r = Row(area, row, VALUE_X);
    for (int i = 0; i < 18; ++i) {
        int col = i % 6, line = i / 6;
        RECT chip{r.left + col * 57, r.top + 2 + line * 24, r.left + col * 57 + 53, r.top + 22 + line * 24};
        bool lit = s.lightKnown && s.zones[static_cast<size_t>(zavo::ZoneIndex(zones[i].zone))] == 1;
        p.RoundBox(chip, lit ? LIT : UNLIT, lit ? RGB(225, 150, 20) : RGB(205, 209, 215), 8);
        p.Text(zones[i].name, chip, p.m_small, lit ? VALUE : LABEL, DT_CENTER);
    }
}

void PaintFooter(Painter& p, const RECT& area, const SimState& s) {
    int top = area.bottom - 52;
    p.Fill(RECT{area.left, top, area.right, top + 1}, RULE);
    std::wstring last = s.lastMessage.empty() ? L"No message from the tool yet" : L"Last: " + s.lastMessage;
    p.Text(last, RECT{LABEL_X, top + 6, area.right - 16, top + 26}, p.m_small, VALUE);
    std::wstring info = L"Reply after " + std::to_wstring(s.applyDelayMs) + L" ms  \x00B7  log " + s.logPath;
    if (s.hang) info = L"Applies are never answered; sent commands block  \x00B7  log " + s.logPath;
    p.Text(info, RECT{LABEL_X, top + 26, area.right - 16, top + 46}, p.m_small, LABEL, DT_PATH_ELLIPSIS);
}

std::wstring ModeText(int mode) {
    if (mode == 1) return L"1  \x00B7  T-keys and standard keys";
    if (mode == 0) return L"0  \x00B7  T-keys only";
    return L"not set yet";
}

std::wstring AssignmentText(const SimState& s) {
    if (!s.filesChecked) return L"-";
    auto count = [](int n, const wchar_t* one, const wchar_t* many) {
        return std::to_wstring(n) + L" " + (n == 1 ? one : many);
    };
    return count(s.tkeysAssigned, L"slot assigned", L"slots assigned") + L", " + count(s.macros, L"macro", L"macros") +
           L", " + count(s.keysRemapped, L"key remapped", L"keys remapped");
}

std::wstring LightText(const SimState& s) {
    if (!s.lightKnown) return L"not read yet";
    return L"style " + std::to_wstring(s.light.LightStyle) + L", light profile " + std::to_wstring(s.light.LightMode);
}

}  // namespace

void PaintSimState(HDC target, const RECT& area, const SimState& s) {
    int w = area.right - area.left, h = area.bottom - area.top;
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bmp = CreateCompatibleBitmap(target, w, h);
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    {
        Painter p(dc);
        p.Fill(area, BODY_BG);
        PaintHeader(p, area, s);
        p.Text(L"Mode", Row(area, 0, LABEL_X), p.m_normal, LABEL);
        p.Text(ModeText(s.mode), Row(area, 0, VALUE_X), p.m_normal, VALUE);
        PaintProfileRow(p, area, s, 1);
        PaintFilesRow(p, area, s, 2);
        p.Text(L"Keys", Row(area, 3, LABEL_X), p.m_normal, LABEL);
        p.Text(AssignmentText(s), Row(area, 3, VALUE_X), p.m_normal, VALUE);
        p.Text(L"Lighting", Row(area, 4, LABEL_X), p.m_normal, LABEL);
        p.Text(LightText(s), Row(area, 4, VALUE_X), p.m_normal, VALUE);
        PaintZones(p, area, s, 5);
        PaintFooter(p, area, s);
    }
    BitBlt(target, area.left, area.top, w, h, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBmp);
    DeleteObject(bmp);
    DeleteDC(dc);
}

}  // namespace devicesim
