#include "platform/win32/win32_owner_draw.h"

#include "platform/win32/win32_text.h"

#include <algorithm>
#include <string>
#include <utility>

namespace tavlo {
namespace {

constexpr COLORREF kLightBlue = RGB(128, 128, 255);

std::wstring captionOf(HWND control)
{
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(control, caption.data(), static_cast<int>(caption.size()))));
    return caption;
}

HGDIOBJ selectFontOf(HWND control, HDC dc)
{
    return SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
}

} // namespace

void drawButton(const DRAWITEMSTRUCT& item)
{
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    RECT face = item.rcItem;
    DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));

    const std::wstring caption = captionOf(item.hwndItem);
    const HGDIOBJ previous = selectFontOf(item.hwndItem, item.hDC);
    constexpr UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    InflateRect(&face, -2, -2);
    RECT lines = face;
    DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &lines, format | DT_CALCRECT);
    RECT text = face;
    text.top += std::max(0L, ((face.bottom - face.top) - (lines.bottom - lines.top)) / 2);
    if (pushed)
        OffsetRect(&text, 1, 1);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor((item.itemState & ODS_DISABLED) != 0 ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &text, format);
    SelectObject(item.hDC, previous);
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
}

void drawEntry(const DRAWITEMSTRUCT& item, const EntryStore& entries)
{
    RECT area = item.rcItem;
    if (item.itemAction == ODA_FOCUS || item.itemID == static_cast<UINT>(-1)) {
        DrawFocusRect(item.hDC, &area);  // the focus mark comes and goes alone
        return;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    SetBkColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(item.hDC,
                 GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    const std::wstring entry = wideText(entries.at(static_cast<long>(item.itemID)));
    ExtTextOutW(item.hDC, area.left + 1, area.top, ETO_OPAQUE | ETO_CLIPPED, &area, entry.data(),
                static_cast<UINT>(entry.size()), nullptr);
    if ((item.itemState & ODS_FOCUS) != 0)
        DrawFocusRect(item.hDC, &area);
}

void drawCredit(const DRAWITEMSTRUCT& item, HWND shadow, HWND text)
{
    // The text label shows the credit with a transparent background over the shadow
    // label, in light blue. Windows gives no order of painting between overlapping
    // siblings, so each of the two draws the whole picture within its own bounds:
    // the shadow at its label's place, then the text at the other's.
    const HWND label = item.hwndItem;
    const HDC dc = item.hDC;
    const RECT& area = item.rcItem;
    const auto originOf = [label](HWND other) {
        RECT mine{}, theirs{};
        GetWindowRect(label, &mine);
        GetWindowRect(other, &theirs);
        return POINT{theirs.left - mine.left, theirs.top - mine.top};
    };
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const std::wstring caption = captionOf(label);
    SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ previous = selectFontOf(label, dc);
    const std::pair<HWND, COLORREF> layers[] = {{shadow, kLightBlue}, {text, GetSysColor(COLOR_BTNTEXT)}};
    for (const auto& [layer, colour] : layers) {
        const POINT origin = originOf(layer);
        RECT place{origin.x, origin.y, origin.x + area.right - area.left, origin.y + area.bottom - area.top};
        SetTextColor(dc, colour);
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &place, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE);
    }
    SelectObject(dc, previous);
}

} // namespace tavlo
