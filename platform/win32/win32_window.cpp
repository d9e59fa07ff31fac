#include "platform/win32/win32_window.h"

#include "platform/form_layout.h"
#include "platform/text_case.h"
#include "platform/win32/win32_names.h"
#include "platform/win32/win32_shell.h"

#include <commdlg.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tavlo {
namespace {

constexpr COLORREF kLightYellow = RGB(255, 255, 128);
constexpr UINT kShowEntries = WM_APP + 1;  // posted: the list box is told the count of entries
constexpr COLORREF kLightBlue = RGB(128, 128, 255);

std::string nulTerminated(std::string_view text) { return std::string(text); }

// Each control's window style, by kind.
DWORD styleOf(ControlKind kind)
{
    const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (kind) {
    case ControlKind::TextBox: return child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
    case ControlKind::ListBox:
        // No data of its own: the window keeps the entries (see drawEntry).
        return child | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NODATA | LBS_OWNERDRAWFIXED |
               LBS_WANTKEYBOARDINPUT;
    // Drawn by the window (drawButton): a system button keeps wide margins of its own
    // inside its face, and the long captions wrap onto too many lines there.
    case ControlKind::Button: return child | WS_TABSTOP | BS_OWNERDRAW;
    case ControlKind::CheckBox: return child | WS_TABSTOP | BS_AUTOCHECKBOX;
    // Labels hold one line each: a text wider than its label is cut, not wrapped out of sight.
    case ControlKind::Label: return child | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
    case ControlKind::Picker: break;
    }
    return child;
}

const char* classOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::TextBox: return "EDIT";
    case ControlKind::ListBox: return "LISTBOX";
    case ControlKind::Button:
    case ControlKind::CheckBox: return "BUTTON";
    default: return "STATIC";
    }
}

bool isChildOf(HWND parent, HWND window) { return window != nullptr && GetParent(window) == parent; }

} // namespace

Win32Window::Win32Window()
{
    build();
}

Win32Window::~Win32Window()
{
    if (window_ != nullptr)
        DestroyWindow(window_);
    for (const auto& [face, handle] : fonts_)
        DeleteObject(handle);
    if (lightYellow_ != nullptr)
        DeleteObject(lightYellow_);
    if (measure_ != nullptr)
        DeleteDC(measure_);
    if (bigIcon_ != nullptr)
        DestroyIcon(bigIcon_);
    if (smallIcon_ != nullptr)
        DestroyIcon(smallIcon_);
}

double Win32Window::twipsPerPixelX() const
{
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return 1440.0 / (dpi > 0 ? dpi : 96);
}

double Win32Window::screenWidthTwips() const { return GetSystemMetrics(SM_CXSCREEN) * twipsPerPixelX(); }

int Win32Window::pixelsX(int twips) const { return static_cast<int>(std::lround(twips / twipsPerPixelX())); }

int Win32Window::pixelsY(int twips) const
{
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<int>(std::lround(twips * (dpi > 0 ? dpi : 96) / 1440.0));
}

HFONT Win32Window::font(int face)
{
    if (const auto found = fonts_.find(face); found != fonts_.end())
        return found->second;
    // "MS Sans Serif" is the face the layout was drawn for, on every Windows (and in
    // Wine's own fonts); the desktop's UI font is wider and would cut the captions.
    LOGFONTA logFont{};
    lstrcpynA(logFont.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    double points = 8.25;
    bool bold = false;
    switch (static_cast<FontFace>(face)) {
    case FontFace::Regular: break;
    case FontFace::SansBold825: bold = true; break;
    case FontFace::Sans975: points = 9.75; break;
    case FontFace::SansBold135: points = 13.5, bold = true; break;
    case FontFace::ArialBold975:
        points = 9.75, bold = true;
        lstrcpynA(logFont.lfFaceName, "Arial", LF_FACESIZE);
        break;
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    logFont.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));
    logFont.lfWidth = 0;
    logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = FALSE;
    logFont.lfUnderline = FALSE;
    logFont.lfCharSet = DEFAULT_CHARSET;
    const HFONT handle = CreateFontIndirectA(&logFont);
    fonts_[face] = handle;
    return handle;
}

void Win32Window::build()
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    bigIcon_ = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), 0));
    smallIcon_ = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Win32Window::windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = bigIcon_;
    windowClass.hIconSm = smallIcon_;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWin32WindowClass;
    RegisterClassExA(&windowClass);  // already there when a second window is built in the same process

    const FormDesign& form = formDesign();
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, pixelsX(form.clientWidth), pixelsY(form.clientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const std::string caption = nulTerminated(form.caption);
    window_ = CreateWindowExA(0, kWin32WindowClass, caption.c_str(), style, pixelsX(form.left), pixelsY(form.top),
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, this);
    if (window_ == nullptr)
        throw std::runtime_error("the main window cannot be created");

    lightYellow_ = CreateSolidBrush(kLightYellow);
    for (const ControlDesign& design : controlDesigns()) {
        if (design.kind == ControlKind::Picker)
            continue;  // the picker takes no part in the layout
        DWORD style = styleOf(design.kind);
        const DWORD extended =
            design.kind == ControlKind::TextBox || design.kind == ControlKind::ListBox ? WS_EX_CLIENTEDGE : 0;
        if (design.id == ControlId::Label6_4 || design.id == ControlId::Label6_5)
            style |= SS_OWNERDRAW;  // the credit and its shadow, drawn as one (see drawCredit)
        const std::string text = nulTerminated(design.designText);
        const HWND handle = CreateWindowExA(
            extended, classOf(design.kind), text.c_str(), style, pixelsX(design.left), pixelsY(design.top),
            pixelsX(design.width), pixelsY(design.height), window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32ControlId(design.id))), instance, nullptr);
        SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font(static_cast<int>(design.font))), FALSE);
        controls_[design.id] = handle;
        if (design.kind != ControlKind::Label)
            tabOrder_.push_back(handle);  // the table is in tab order
    }
    // Windows paints siblings by their stacking, not by the tab order, which the
    // focus handling keeps on its own: labels lie underneath every other control,
    // a later one above an earlier one; Command4 lies on top of Command1.
    const auto designs = controlDesigns();
    for (auto design = designs.rbegin(); design != designs.rend(); ++design)
        if (design->kind == ControlKind::Label)
            SetWindowPos(controls_[design->id], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(controls_[ControlId::Command4], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    measure_ = CreateCompatibleDC(nullptr);
    SelectObject(measure_, font(static_cast<int>(controlDesign(ControlId::List1).font)));
    // An entry is one line of the list's font high, as in a list box that draws its own strings.
    TEXTMETRICA metrics{};
    if (GetTextMetricsA(measure_, &metrics))
        SendMessageA(controls_[ControlId::List1], LB_SETITEMHEIGHT, 0, metrics.tmHeight);
    CPINFO codePage{};
    if (GetCPInfo(CP_ACP, &codePage) && codePage.MaxCharSize == 1) {
        byteWidths_.assign(256, 0);
        if (!GetCharWidth32A(measure_, 0, 255, byteWidths_.data()))
            byteWidths_.clear();
    }
    lastFocus_ = controls_[ControlId::txtPATH_RICERCA];
}

void Win32Window::showWindow()
{
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    SetFocus(controls_[ControlId::txtPATH_RICERCA]);
}

int Win32Window::runEventLoop()
{
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        dispatch(message);
    return static_cast<int>(message.wParam);
}

void Win32Window::dispatch(MSG& message)
{
    if (handleKey(message))
        return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

bool Win32Window::handleKey(const MSG& message)
{
    if (message.message != WM_KEYDOWN || !isChildOf(window_, message.hwnd))
        return false;
    char className[16] = {};
    GetClassNameA(message.hwnd, className, sizeof className);
    // Enter on a button that has the focus clicks it, as the space bar does.
    if (message.wParam == VK_RETURN && lstrcmpiA(className, "Button") == 0 &&
        (GetWindowLongPtrA(message.hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW) {
        SendMessageA(message.hwnd, BM_CLICK, 0, 0);
        return true;
    }
    if (message.wParam != VK_TAB)
        return false;
    if ((GetKeyState(VK_CONTROL) & 0x8000) != 0)
        return false;
    const bool backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const auto count = static_cast<long>(tabOrder_.size());
    long at = 0;
    while (at < count && tabOrder_[static_cast<std::size_t>(at)] != message.hwnd)
        ++at;
    for (long step = 1; step <= count; ++step) {
        const long next = ((backwards ? at - step : at + step) % count + count) % count;
        const HWND candidate = tabOrder_[static_cast<std::size_t>(next)];
        if (IsWindowVisible(candidate) && IsWindowEnabled(candidate)) {
            SetFocus(candidate);
            char candidateClass[16] = {};
            GetClassNameA(candidate, candidateClass, sizeof candidateClass);
            if (lstrcmpiA(candidateClass, "Edit") == 0)  // a text box reached by the tab key has its text selected
                SendMessageA(candidate, EM_SETSEL, 0, -1);
            return true;
        }
    }
    return true;
}

LRESULT CALLBACK Win32Window::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr || self->window_ != window)
        return DefWindowProcA(window, message, wParam, lParam);
    return self->handleMessage(message, wParam, lParam);
}

LRESULT Win32Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        const int code = HIWORD(wParam);
        const int id = LOWORD(wParam);
        const int index = id - win32ControlId(ControlId::txtPATH_RICERCA);
        if (code == EN_CHANGE)
            texts_.erase(reinterpret_cast<HWND>(lParam));
        if (code == BN_CLICKED && onClick && index >= 0 && index < static_cast<int>(ControlId::CommonDialog1)) {
            try {
                onClick(static_cast<ControlId>(index));
            } catch (const std::exception& error) {
                // Nothing may unwind through the system's own frames: a handler that
                // fails past every failure handling of its own ends the program.
                MessageBoxA(owner(), error.what(), kWin32MessageBoxTitle, MB_OK | MB_ICONERROR);
                endProgram();
            }
            return 0;
        }
        break;
    }
    case WM_CTLCOLOREDIT: {
        const auto edit = reinterpret_cast<HWND>(lParam);
        for (const ControlDesign& design : controlDesigns())
            if (design.colours == ColourScheme::LightYellowBackground && controls_[design.id] == edit) {
                SetBkColor(reinterpret_cast<HDC>(wParam), kLightYellow);
                return reinterpret_cast<LRESULT>(lightYellow_);
            }
        break;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_LISTBOX)
            drawEntry(*item);
        else if (item->CtlType == ODT_BUTTON)
            drawButton(*item);
        else
            drawCredit(item->hwndItem, item->hDC, item->rcItem);
        return TRUE;
    }
    case kShowEntries:
        showPosted_ = false;
        showEntries();
        return 0;
    case WM_CHARTOITEM:
        if (reinterpret_cast<HWND>(lParam) == controls_[ControlId::List1]) {
            const long found = entryTypedTo(static_cast<char>(LOWORD(wParam)), static_cast<long>(HIWORD(wParam)));
            return found >= 0 ? found : -2;  // -2: the key needs nothing more
        }
        break;
    case WM_SETCURSOR:
        // The hourglass holds over the whole window while the system is busy.
        if (busy_) {
            SetCursor(LoadCursorA(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (const HWND focus = GetFocus(); isChildOf(window_, focus))
                lastFocus_ = focus;
        }
        break;
    case WM_SETFOCUS:
        if (lastFocus_ != nullptr && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_))
            SetFocus(lastFocus_);
        return 0;
    case WM_CLOSE:
        // The program ends as with the end button; the window itself goes when the loop has ended.
        if (onClose)
            onClose();
        else
            endProgram();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void Win32Window::drawButton(const DRAWITEMSTRUCT& item)
{
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    RECT face = item.rcItem;
    DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));

    std::string caption(static_cast<std::size_t>(GetWindowTextLengthA(item.hwndItem)) + 1, '\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextA(item.hwndItem, caption.data(), static_cast<int>(caption.size()))));
    const HGDIOBJ previous =
        SelectObject(item.hDC, reinterpret_cast<HGDIOBJ>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
    // The caption's lines, centred across the face and down it.
    constexpr UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    InflateRect(&face, -2, -2);
    RECT lines = face;
    DrawTextA(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &lines, format | DT_CALCRECT);
    RECT text = face;
    text.top += std::max(0L, ((face.bottom - face.top) - (lines.bottom - lines.top)) / 2);
    if (pushed)
        OffsetRect(&text, 1, 1);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor((item.itemState & ODS_DISABLED) != 0 ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextA(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &text, format);
    SelectObject(item.hDC, previous);
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
}

void Win32Window::drawCredit(HWND label, HDC dc, const RECT& area)
{
    // Label6(5) shows the credit with a transparent background over Label6(4), its
    // light blue shadow. Windows gives no order of painting between overlapping
    // siblings, so each of the two draws the whole picture within its own bounds:
    // the shadow at Label6(4)'s place, then the text at Label6(5)'s.
    const auto originOf = [label](HWND other) {
        RECT mine{}, theirs{};
        GetWindowRect(label, &mine);
        GetWindowRect(other, &theirs);
        return POINT{theirs.left - mine.left, theirs.top - mine.top};
    };
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    std::string caption(static_cast<std::size_t>(GetWindowTextLengthA(label)) + 1, '\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextA(label, caption.data(), static_cast<int>(caption.size()))));
    SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
    const std::pair<ControlId, COLORREF> layers[] = {{ControlId::Label6_4, kLightBlue},
                                                     {ControlId::Label6_5, GetSysColor(COLOR_BTNTEXT)}};
    for (const auto& [id, colour] : layers) {
        const POINT origin = originOf(controls_[id]);
        RECT place{origin.x, origin.y, origin.x + area.right - area.left, origin.y + area.bottom - area.top};
        SetTextColor(dc, colour);
        DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &place, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE);
    }
    SelectObject(dc, previous);
}

void Win32Window::drawEntry(const DRAWITEMSTRUCT& item)
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
    const std::string_view entry = entries_.at(static_cast<long>(item.itemID));
    ExtTextOutA(item.hDC, area.left + 1, area.top, ETO_OPAQUE | ETO_CLIPPED, &area, entry.data(),
                static_cast<UINT>(entry.size()), nullptr);
    if ((item.itemState & ODS_FOCUS) != 0)
        DrawFocusRect(item.hDC, &area);
}

long Win32Window::entryTypedTo(char typed, long caret) const
{
    const auto folded = [](char c) { return upperCase(std::string_view(&c, 1)); };
    const std::string wanted = folded(typed);
    const long count = entries_.size();
    for (long step = 1; step <= count; ++step) {
        const long index = (caret + step) % count;
        const std::string_view entry = entries_.at(index);
        if (!entry.empty() && folded(entry.front()) == wanted)
            return index;
    }
    return -1;
}

void Win32Window::showEntries()
{
    entriesShown_ = std::chrono::steady_clock::now();
    const HWND list = control(ControlId::List1);
    if (SendMessageA(list, LB_GETCOUNT, 0, 0) != entries_.size())
        SendMessageA(list, LB_SETCOUNT, static_cast<WPARAM>(entries_.size()), 0);
}

HWND Win32Window::control(ControlId id) const
{
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

std::string Win32Window::text(ControlId id) const
{
    const HWND handle = control(id);
    if (handle == nullptr)
        return {};
    if (const auto known = texts_.find(handle); known != texts_.end())
        return known->second;
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(handle)) + 1, '\0');
    const int length = GetWindowTextA(handle, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    texts_[handle] = text;
    return text;
}

void Win32Window::setText(ControlId id, std::string_view text)
{
    if (const HWND handle = control(id)) {
        SetWindowTextA(handle, nulTerminated(text).c_str());
        texts_.erase(handle);
    }
}

bool Win32Window::isEnabled(ControlId id) const
{
    const HWND handle = control(id);
    return handle != nullptr && IsWindowEnabled(handle);
}

void Win32Window::setEnabled(ControlId id, bool enabled)
{
    if (const HWND handle = control(id))
        EnableWindow(handle, enabled ? TRUE : FALSE);
}

bool Win32Window::isVisible(ControlId id) const
{
    // The control's own visibility: the window may not show yet (start-up).
    const HWND handle = control(id);
    return handle != nullptr && (GetWindowLongPtrA(handle, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Window::setVisible(ControlId id, bool visible)
{
    if (const HWND handle = control(id))
        ShowWindow(handle, visible ? SW_SHOW : SW_HIDE);
}

int Win32Window::checkValue(ControlId id) const
{
    return SendMessageA(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Win32Window::listAdd(std::string_view entry)
{
    entries_.append(entry);
    // Long paths can be scrolled into view.
    if (const int width = entryWidth(entry); width + 8 > listExtent_) {
        listExtent_ = width + 8;
        SendMessageA(control(ControlId::List1), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(listExtent_), 0);
    }
    // Entries added one after the other (a paged build's page names) reach the list
    // box together, when the pending messages run.
    if (!busy_ && !showPosted_)
        showPosted_ = PostMessageA(window_, kShowEntries, 0, 0) != 0;
}

int Win32Window::entryWidth(std::string_view entry) const
{
    if (!byteWidths_.empty()) {
        int width = 0;
        for (const char c : entry)
            width += byteWidths_[static_cast<unsigned char>(c)];
        return width;
    }
    SIZE size{};
    return GetTextExtentPoint32A(measure_, entry.data(), static_cast<int>(entry.size()), &size) ? size.cx : 0;
}

long Win32Window::listCount() const { return entries_.size(); }

std::string Win32Window::listItem(long index) const { return std::string(entries_.at(index)); }

long Win32Window::listIndex() const
{
    const_cast<Win32Window*>(this)->showEntries();
    const LRESULT selected = SendMessageA(control(ControlId::List1), LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<long>(selected);
}

void Win32Window::listRemove(long index)
{
    if (index < 0 || index >= listCount())
        return;
    showEntries();
    entries_.remove(index);
    SendMessageA(control(ControlId::List1), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void Win32Window::listClear()
{
    const HWND list = control(ControlId::List1);
    entries_.clear();
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    listExtent_ = 0;
    SendMessageA(list, LB_SETHORIZONTALEXTENT, 0, 0);
}

HWND Win32Window::owner() const { return IsWindowVisible(window_) ? window_ : nullptr; }

int Win32Window::msgBox(std::string_view prompt, int buttons)
{
    showEntries();  // the box lets the window draw again
    const HWND parent = owner();
    // Before the window shows (start-up) the box stands alone, in the taskbar.
    UINT type = buttons == kYesNo ? MB_YESNO : MB_OK;
    type |= parent != nullptr ? MB_APPLMODAL : MB_TASKMODAL | MB_SETFOREGROUND;
    // The answer codes are the box's own: 1 OK, 6 Yes, 7 No.
    return MessageBoxA(parent, nulTerminated(prompt).c_str(), kWin32MessageBoxTitle, type);
}

void Win32Window::beep() { MessageBeep(MB_OK); }

void Win32Window::setScreenPointer(int pointer)
{
    const bool busy = pointer == kPointerHourglass;
    if (busy != busy_)
        eventsRan_ = {};  // the first yield of a busy spell lets messages run at once
    busy_ = busy;
    if (!busy_)
        showEntries();
    SetCursor(LoadCursorA(nullptr, busy_ ? IDC_WAIT : IDC_ARROW));
}

void Win32Window::doEvents()
{
    // A scan yields after every entry it adds. While it is busy, pending messages run
    // at most once a frame: the list still grows on screen and a click still lands at
    // once to the eye, but the list is not drawn again for every single entry, and
    // the message queue is not asked thousands of times a second.
    constexpr auto kFrame = std::chrono::milliseconds(16);
    constexpr auto kCountShown = std::chrono::milliseconds(100);
    const auto now = std::chrono::steady_clock::now();
    if (busy_ && eventsRan_ != decltype(eventsRan_){} && now - eventsRan_ < kFrame)
        return;
    eventsRan_ = now;
    if (!busy_ || now - entriesShown_ >= kCountShown)
        showEntries();
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // the loop of runEventLoop() ends on it
            return;
        }
        dispatch(message);
    }
}

void Win32Window::endProgram()
{
    if (ended_)
        return;
    ended_ = true;
    setScreenPointer(kPointerDefault);
    ShowWindow(window_, SW_HIDE);
    PostQuitMessage(0);
}

std::optional<std::string> Win32Window::showPicker(const PickerRequest& request)
{
    // The filter list: each pattern shown as its own description, "*.*" once.
    std::vector<std::string> patterns;
    for (const std::string* pattern : {&request.firstPattern, &request.secondPattern})
        if (!pattern->empty() && std::find(patterns.begin(), patterns.end(), *pattern) == patterns.end())
            patterns.push_back(*pattern);
    if (patterns.empty())
        patterns.emplace_back("*.*");
    std::string filter;
    for (const std::string& pattern : patterns)
        filter += pattern + '\0' + pattern + '\0';
    filter.push_back('\0');

    std::string chosen(32768, '\0');
    const std::string title = request.title;
    const std::string start = request.startFolder;
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner();
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = chosen.data();
    dialog.nMaxFile = static_cast<DWORD>(chosen.size());
    dialog.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
    dialog.lpstrTitle = title.c_str();
    // The current folder is the build's to set: the dialog leaves it alone.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   (request.folderMayBeChosen ? 0 : OFN_FILEMUSTEXIST);
    if (!GetOpenFileNameA(&dialog))
        return CommDlgExtendedError() == 0 ? std::optional<std::string>(std::string()) : std::nullopt;
    chosen.resize(chosen.find('\0'));
    return chosen;
}

void Win32Window::openPage(const OpenRequest& request)
{
    openDocumentMaximised(owner(), request.documentPath);
}

LRESULT CALLBACK Win32Window::progressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    // The button, or the window closed: the user asks to cancel; the work says when it has stopped.
    if (self != nullptr && ((message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) || message == WM_CLOSE)) {
        self->progressCancelled_ = true;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool Win32Window::showProgress(std::string_view text, std::string_view cancelCaption)
{
    if (progress_ == nullptr) {
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSEXA progressClass{};
        progressClass.cbSize = sizeof progressClass;
        progressClass.lpfnWndProc = &Win32Window::progressProc;
        progressClass.hInstance = instance;
        progressClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        progressClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        progressClass.lpszClassName = kWin32ProgressClass;
        RegisterClassExA(&progressClass);  // already there from an earlier build

        // Centred over the main window, which takes no clicks while it shows.
        const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        RECT frame{0, 0, pixelsX(4500), pixelsY(1500)};
        AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
        RECT owner{};
        GetWindowRect(window_, &owner);
        const int width = frame.right - frame.left, height = frame.bottom - frame.top;
        progressCancelled_ = false;
        progress_ = CreateWindowExA(WS_EX_DLGMODALFRAME, kWin32ProgressClass, kWin32MessageBoxTitle, style,
                                    (owner.left + owner.right - width) / 2, (owner.top + owner.bottom - height) / 2,
                                    width, height, window_, nullptr, instance, this);
        if (progress_ == nullptr)
            return false;  // no window: the work runs to its end
        progressText_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 0,
                                        pixelsY(240), pixelsX(4500), pixelsY(285), progress_, nullptr, instance, nullptr);
        progressButton_ = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                          pixelsX(1650), pixelsY(800), pixelsX(1200), pixelsY(450), progress_, nullptr,
                                          instance, nullptr);
        const auto regular = reinterpret_cast<WPARAM>(font(static_cast<int>(FontFace::Regular)));
        SendMessageA(progressText_, WM_SETFONT, regular, FALSE);
        SendMessageA(progressButton_, WM_SETFONT, regular, FALSE);
        EnableWindow(window_, FALSE);
        ShowWindow(progress_, SW_SHOW);
        SetFocus(progressButton_);
    }
    SetWindowTextA(progressText_, nulTerminated(text).c_str());
    SetWindowTextA(progressButton_, nulTerminated(cancelCaption).c_str());
    doEvents();
    return progressCancelled_;
}

void Win32Window::closeProgress()
{
    if (progress_ == nullptr)
        return;
    EnableWindow(window_, TRUE);  // before the progress window goes, so that the main window takes the activation
    DestroyWindow(progress_);
    progress_ = progressText_ = progressButton_ = nullptr;
}

} // namespace tavlo
