#include "platform/win32/win32_window.h"

#include "platform/form_layout.h"
#include "platform/text_case.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_keys.h"
#include "platform/win32/win32_names.h"
#include "platform/win32/win32_owner_draw.h"
#include "platform/win32/win32_picker.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window_class.h"

#include <algorithm>
#include <stdexcept>

namespace tavlo {
namespace {

constexpr COLORREF kLightYellow = RGB(255, 255, 128);
constexpr UINT kShowEntries = WM_APP + 1;  // posted: the list box is told the count of entries
constexpr UINT kUnmoved = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

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

const wchar_t* classOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::TextBox: return L"EDIT";
    case ControlKind::ListBox: return L"LISTBOX";
    case ControlKind::Button:
    case ControlKind::CheckBox: return L"BUTTON";
    default: return L"STATIC";
    }
}

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isChildOf(HWND parent, HWND window) { return window != nullptr && GetParent(window) == parent; }

} // namespace

Win32Window::Win32Window()
{
    build();
}

double Win32Window::twipsPerPixelX() const { return tavlo::twipsPerPixelX(); }

double Win32Window::screenWidthTwips() const { return GetSystemMetrics(SM_CXSCREEN) * twipsPerPixelX(); }

void Win32Window::build()
{
    registerWindowClass(kWin32WindowClass, &Win32Window::windowProc, programIcons());
    createFrame();
    lightYellow_.reset(CreateSolidBrush(kLightYellow));
    for (const ControlDesign& design : controlDesigns())
        if (design.kind != ControlKind::Picker)  // the picker takes no part in the layout
            createControl(design);
    stackControls();
    prepareList();
    lastFocus_ = controls_[ControlId::txtPATH_RICERCA];
    progress_.emplace(window_.get(), fonts_.font(FontFace::Regular));
}

void Win32Window::createFrame()
{
    const FormDesign& form = formDesign();
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, pixelsX(form.clientWidth), pixelsY(form.clientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    window_.reset(CreateWindowExW(0, wideText(kWin32WindowClass).c_str(), wideText(form.caption).c_str(), style,
                                  pixelsX(form.left), pixelsY(form.top), frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), this));
    if (window_ == nullptr)
        throw std::runtime_error("the main window cannot be created");
}

void Win32Window::createControl(const ControlDesign& design)
{
    DWORD style = styleOf(design.kind);
    const DWORD extended =
        design.kind == ControlKind::TextBox || design.kind == ControlKind::ListBox ? WS_EX_CLIENTEDGE : 0;
    if (design.id == ControlId::Label6_4 || design.id == ControlId::Label6_5)
        style |= SS_OWNERDRAW;  // the credit and its shadow, drawn as one (see drawCredit)
    const HWND handle = CreateWindowExW(
        extended, classOf(design.kind), wideText(design.designText).c_str(), style, pixelsX(design.left),
        pixelsY(design.top), pixelsX(design.width), pixelsY(design.height), window_.get(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32ControlId(design.id))), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.font(design.font)), FALSE);
    controls_[design.id] = handle;
    if (design.kind != ControlKind::Label)
        tabOrder_.push_back(handle);  // the table is in tab order
}

void Win32Window::stackControls()
{
    // Windows paints siblings by their stacking, not by the tab order, which the
    // focus handling keeps on its own: labels lie underneath every other control,
    // a later one above an earlier one; Command4 lies on top of Command1.
    const auto designs = controlDesigns();
    for (auto design = designs.rbegin(); design != designs.rend(); ++design)
        if (design->kind == ControlKind::Label)
            SetWindowPos(controls_[design->id], HWND_BOTTOM, 0, 0, 0, 0, kUnmoved);
    SetWindowPos(controls_[ControlId::Command4], HWND_TOP, 0, 0, 0, 0, kUnmoved);
}

void Win32Window::prepareList()
{
    measure_.reset(CreateCompatibleDC(nullptr));
    SelectObject(measure_.get(), fonts_.font(controlDesign(ControlId::List1).font));
    // An entry is one line of the list's font high, as in a list box that draws its own strings.
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(measure_.get(), &metrics))
        SendMessageW(controls_[ControlId::List1], LB_SETITEMHEIGHT, 0, metrics.tmHeight);
    asciiWidths_.assign(128, 0);
    if (!GetCharWidth32W(measure_.get(), 0, 127, asciiWidths_.data()))
        asciiWidths_.clear();
}

void Win32Window::showWindow()
{
    ShowWindow(window_.get(), SW_SHOW);
    UpdateWindow(window_.get());
    SetForegroundWindow(window_.get());
    SetFocus(controls_[ControlId::txtPATH_RICERCA]);
}

int Win32Window::runEventLoop()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatch(message);
    return static_cast<int>(message.wParam);
}

void Win32Window::dispatch(MSG& message)
{
    if (handleDialogKey(window_.get(), tabOrder_, message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

LRESULT CALLBACK Win32Window::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = windowObjectAs<Win32Window>(window, message, lParam);
    if (self == nullptr || self->window_.get() != window)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->handleMessage(message, wParam, lParam);
}

LRESULT Win32Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (handleCommand(wParam, lParam))
            return 0;
        break;
    case WM_CTLCOLOREDIT:
        if (const HBRUSH brush = textBoxBrush(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_DRAWITEM: drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case kShowEntries:
        showPosted_ = false;
        showEntries();
        return 0;
    case WM_CHARTOITEM:
        if (reinterpret_cast<HWND>(lParam) == controls_[ControlId::List1]) {
            const long found = entryTypedTo(static_cast<wchar_t>(LOWORD(wParam)), static_cast<long>(HIWORD(wParam)));
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
            if (const HWND focus = GetFocus(); isChildOf(window_.get(), focus))
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
    default: break;
    }
    return DefWindowProcW(window_.get(), message, wParam, lParam);
}

bool Win32Window::handleCommand(WPARAM wParam, LPARAM lParam)
{
    const int code = HIWORD(wParam);
    const int index = LOWORD(wParam) - win32ControlId(ControlId::txtPATH_RICERCA);
    if (code == EN_CHANGE)
        texts_.erase(reinterpret_cast<HWND>(lParam));
    if (code != BN_CLICKED || !onClick || index < 0 || index >= static_cast<int>(ControlId::CommonDialog1))
        return false;
    onClick(static_cast<ControlId>(index));
    return true;
}

HBRUSH Win32Window::textBoxBrush(HWND edit, HDC dc) const
{
    for (const ControlDesign& design : controlDesigns())
        if (design.colours == ColourScheme::LightYellowBackground && control(design.id) == edit) {
            SetBkColor(dc, kLightYellow);
            return lightYellow_.get();
        }
    return nullptr;
}

void Win32Window::drawItem(const DRAWITEMSTRUCT& item)
{
    if (item.CtlType == ODT_LISTBOX)
        drawEntry(item, entries_);
    else if (item.CtlType == ODT_BUTTON)
        drawButton(item);
    else
        drawCredit(item, controls_[ControlId::Label6_4], controls_[ControlId::Label6_5]);
}

long Win32Window::entryTypedTo(wchar_t typed, long caret) const
{
    const std::string wanted = upperCase(utf8Text(std::wstring_view(&typed, 1)));
    const long count = entries_.size();
    for (long step = 1; step <= count; ++step) {
        const long index = (caret + step) % count;
        const std::string_view entry = entries_.at(index);
        const std::size_t first = entry.empty() ? 0 : std::max<std::size_t>(utf8CharacterLength(entry, 0), 1);
        if (!entry.empty() && upperCase(entry.substr(0, first)) == wanted)
            return index;
    }
    return -1;
}

void Win32Window::showEntries()
{
    entriesShown_ = std::chrono::steady_clock::now();
    const HWND list = control(ControlId::List1);
    if (SendMessageW(list, LB_GETCOUNT, 0, 0) != entries_.size())
        SendMessageW(list, LB_SETCOUNT, static_cast<WPARAM>(entries_.size()), 0);
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
    std::wstring wide(static_cast<std::size_t>(GetWindowTextLengthW(handle)) + 1, L'\0');
    const int length = GetWindowTextW(handle, wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return texts_[handle] = utf8Text(wide);
}

void Win32Window::setText(ControlId id, std::string_view text)
{
    if (const HWND handle = control(id)) {
        SetWindowTextW(handle, wideText(text).c_str());
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
    return handle != nullptr && (GetWindowLongPtrW(handle, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Window::setVisible(ControlId id, bool visible)
{
    if (const HWND handle = control(id))
        ShowWindow(handle, visible ? SW_SHOW : SW_HIDE);
}

int Win32Window::checkValue(ControlId id) const
{
    return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Win32Window::listAdd(std::string_view entry)
{
    entries_.append(entry);
    // Long paths can be scrolled into view.
    if (const int width = entryWidth(entry); width + 8 > listExtent_) {
        listExtent_ = width + 8;
        SendMessageW(control(ControlId::List1), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(listExtent_), 0);
    }
    // Entries added one after the other (a paged build's page names) reach the list
    // box together, when the pending messages run.
    if (!busy_ && !showPosted_)
        showPosted_ = PostMessageW(window_.get(), kShowEntries, 0, 0) != 0;
}

int Win32Window::entryWidth(std::string_view entry) const
{
    if (!asciiWidths_.empty() && isAscii(entry)) {
        int width = 0;
        for (const char c : entry)
            width += asciiWidths_[static_cast<unsigned char>(c)];
        return width;
    }
    const std::wstring wide = wideText(entry);
    SIZE size{};
    return GetTextExtentPoint32W(measure_.get(), wide.data(), static_cast<int>(wide.size()), &size) ? size.cx : 0;
}

long Win32Window::listCount() const { return entries_.size(); }

std::string Win32Window::listItem(long index) const { return std::string(entries_.at(index)); }

long Win32Window::listIndex() const
{
    const_cast<Win32Window*>(this)->showEntries();
    const LRESULT selected = SendMessageW(control(ControlId::List1), LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<long>(selected);
}

void Win32Window::listRemove(long index)
{
    if (index < 0 || index >= listCount())
        return;
    showEntries();
    entries_.remove(index);
    SendMessageW(control(ControlId::List1), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void Win32Window::listClear()
{
    const HWND list = control(ControlId::List1);
    entries_.clear();
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    listExtent_ = 0;
    SendMessageW(list, LB_SETHORIZONTALEXTENT, 0, 0);
}

HWND Win32Window::owner() const { return IsWindowVisible(window_.get()) ? window_.get() : nullptr; }

Answer Win32Window::msgBox(MessageKind, std::string_view prompt, Buttons buttons)
{
    showEntries();  // the box lets the window draw again
    const HWND parent = owner();
    // Before the window shows (start-up) the box stands alone, in the taskbar.
    UINT type = buttons == Buttons::YesNo ? MB_YESNO : MB_OK;
    type |= parent != nullptr ? MB_APPLMODAL : MB_TASKMODAL | MB_SETFOREGROUND;
    switch (MessageBoxW(parent, wideText(prompt).c_str(), wideText(kWin32MessageBoxTitle).c_str(), type)) {
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    default: return Answer::Ok;
    }
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
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
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
    ShowWindow(window_.get(), SW_HIDE);
    PostQuitMessage(0);
}

std::optional<std::string> Win32Window::showPicker(const PickerRequest& request)
{
    return showOpenDialog(owner(), request);
}

void Win32Window::openPage(const OpenRequest& request)
{
    openDocumentMaximised(owner(), request.documentPath);
}

bool Win32Window::showProgress(std::string_view text, std::string_view cancelCaption)
{
    if (!progress_->show(text, cancelCaption))
        return false;  // no window: the work runs to its end
    doEvents();
    return progress_->cancelled();
}

void Win32Window::closeProgress() { progress_->close(); }

void Win32Window::showFailure(std::string_view what)
{
    MessageBoxW(owner(), wideText(what).c_str(), wideText(kWin32MessageBoxTitle).c_str(), MB_OK | MB_ICONERROR);
}

} // namespace tavlo
