#include "MessageBox.h"

#include "ClipboardText.h"
#include "DC.h"
#include "Errors.h"
#include "LibraryStartup.h"
#include "MessageHandler.h"
#include "ModalMessageLoop.h"
#include "ReportPlaces.h"
#include "ScopeExit.h"
#include "TextEncoding.h"
#include "WindowClass.h"
#include "ZyrFailure.h"

#include <richedit.h>

#include <algorithm>

namespace ZYR {

namespace {

TOBJ_MESSAGE(MSG_MESSAGEBOX_OK);
TOBJ_MESSAGE(MSG_MESSAGEBOX_CANCEL);
TOBJ_MESSAGE(MSG_MESSAGEBOX_YES);
TOBJ_MESSAGE(MSG_MESSAGEBOX_NO);
TOBJ_MESSAGE(MSG_MESSAGEBOX_YESALL);
TOBJ_MESSAGE(MSG_MESSAGEBOX_NOALL);
TOBJ_MESSAGE(MSG_MESSAGEBOX_ABORT);
TOBJ_MESSAGE(MSG_MESSAGEBOX_RETRY);
TOBJ_MESSAGE(MSG_MESSAGEBOX_IGNORE);
TOBJ_MESSAGE(MSG_MESSAGEBOX_HELP);

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kTextWidth = 380;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 8;

thread_local std::size_t t_openBoxes = 0;

const wchar_t* RichEditClass()
{
    static const wchar_t* name = [] {
        if (LoadLibraryW(L"Msftedit.dll") != nullptr)
            return L"RICHEDIT50W";
        LoadLibraryW(L"Riched20.dll");
        return L"RichEdit20W";
    }();
    return name;
}

TObj::CUnicodeString WithoutMnemonic(const TObj::CUnicodeString& caption)
{
    TObj::CUnicodeString out(caption);
    out.ReplaceAll(TObj::CUnicodeString(u"&"), TObj::CUnicodeString());
    return out;
}

BOOL CALLBACK DisableThreadWindow(HWND window, LPARAM data)
{
    auto* disabled = reinterpret_cast<std::vector<HWND>*>(data);
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        disabled->push_back(window);
    }
    return TRUE;
}

} // namespace

ZYR_BEGIN_MESSAGE_MAP(CMessageBox, CWindow)
    ZYR_ON_CREATE(OnCreateBox)
    ZYR_ON_VOID(WM_PAINT, OnPaint)
    ZYR_ON_MESSAGE(WM_CLOSE, OnClose)
    ZYR_ON_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColorStatic)
ZYR_END_MESSAGE_MAP(CWindow)

unsigned CMessageBox::FlagsFromWin32(unsigned flags)
{
    static const unsigned kTypes[] = {kOk,        kOk | kCancel,   kAbort | kRetry | kIgnore, kYes | kNo | kCancel,
                                      kYes | kNo, kRetry | kCancel};
    const unsigned type = flags & MB_TYPEMASK;
    unsigned own = type < 6 ? kTypes[type] : kOk;
    switch (flags & MB_ICONMASK) {
    case MB_ICONHAND: own |= kIconStop; break;
    case MB_ICONQUESTION: own |= kIconQuestion; break;
    case MB_ICONEXCLAMATION: own |= kIconExclamation; break;
    case MB_ICONASTERISK: own |= kIconInformation; break;
    default: break;
    }
    // MB_DEFBUTTON1 to MB_DEFBUTTON4 step by 0x100, the box's own defaults by kDefaultFirst;
    // of four buttons at most, a higher number wraps round as it always has.
    own |= kDefaultFirst * ((flags & MB_DEFMASK) / MB_DEFBUTTON2 % 4 + 1);
    if (flags & MB_SETFOREGROUND)
        own |= kForeground;
    if (flags & MB_TOPMOST)
        own |= kTopmost;
    if (flags & MB_RIGHT)
        own |= kRightAligned;
    if (flags & MB_RTLREADING)
        own |= kRtlReading;
    return own;
}

CMessageBox::CMessageBox(HWND owner, const TObj::CUnicodeString& text, const TObj::CUnicodeString& caption,
                         unsigned flags)
    : m_owner(owner), m_text(text), m_caption(caption.IsEmpty() ? TObj::GetApplicationTitle() : caption),
      m_flags(flags), m_messageAreaColor(TObj::IsWindowsVersionAtLeast(6, 0) ? COLOR_WINDOW : COLOR_BTNFACE)
{
    if ((m_flags & kIcons) == 0) {
        if (m_flags & (kOk | kCancel))
            m_flags |= kIconExclamation;
        else if (m_flags & (kYes | kNo | kYesToAll | kNoToAll))
            m_flags |= kIconQuestion;
        else if (m_flags & (kAbort | kRetry | kIgnore))
            m_flags |= kIconStop;
    }
}

std::size_t CMessageBox::OpenCountForTesting() { return t_openBoxes; }

std::vector<CMessageBox::CButton> CMessageBox::Buttons() const
{
    struct CEntry {
        unsigned bit;
        int reply;
        const TObj::CMessage& caption;
    };
    const CEntry entries[] = {
        {kOk, IDOK, MSG_MESSAGEBOX_OK},
        {kYes, IDYES, MSG_MESSAGEBOX_YES},
        {kNo, IDNO, MSG_MESSAGEBOX_NO},
        {kYesToAll, kYesToAllReply, MSG_MESSAGEBOX_YESALL},
        {kNoToAll, kNoToAllReply, MSG_MESSAGEBOX_NOALL},
        {kAbort, IDABORT, MSG_MESSAGEBOX_ABORT},
        {kRetry, IDRETRY, MSG_MESSAGEBOX_RETRY},
        {kIgnore, IDIGNORE, MSG_MESSAGEBOX_IGNORE},
        {kCancel, IDCANCEL, MSG_MESSAGEBOX_CANCEL},
    };
    std::vector<CButton> buttons;
    for (const CEntry& entry : entries)
        if (m_flags & entry.bit)
            buttons.push_back({entry.reply, TObj::LoadMessageText(entry.caption)});
    if (!m_furtherText.IsEmpty())
        buttons.push_back({IDHELP, TObj::LoadMessageText(MSG_MESSAGEBOX_HELP)});
    return buttons;
}

TObj::CUnicodeString CMessageBox::CopyText() const
{
    const TObj::CUnicodeString line = TObj::CUnicodeString::Repeat(u'-', 27) + u"\r\n";
    TObj::CUnicodeString text = line + m_caption + u"\r\n" + line + TObj::WithCrLf(m_text) + u"\r\n" + line;
    if (!m_furtherText.IsEmpty())
        text += TObj::WithCrLf(m_furtherText) + u"\r\n" + line;
    bool first = true;
    for (const CButton& button : Buttons()) {
        if (!first)
            text += u"   ";
        text += WithoutMnemonic(button.caption);
        first = false;
    }
    return text + u"\r\n" + line;
}

void CMessageBox::CopyToClipboard()
{
    // A clipboard that another program holds leaves the copy undone.
    CClipboardText::Put(Handle(), CopyText());
}

int CMessageBox::OnCreateBox(CREATESTRUCTW*)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ZYR_CHECK(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) != 0, Places::kOnCreate);
    m_font.CreateFontIndirectW(metrics.lfMessageFont);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const wchar_t* icons[] = {nullptr, IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK};
    const unsigned icon = (m_flags & kIcons) >> 12;
    if (icon >= 1 && icon <= 4) {
        m_iconControl = CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, kMargin, kMargin,
                                        kIconSize, kIconSize, Handle(), nullptr, instance, nullptr);
        ::SendMessageW(m_iconControl, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, icons[icon])), 0);
    }
    const DWORD align = (m_flags & kRightAligned) ? ES_RIGHT : 0;
    m_textControl = CreateWindowExW((m_flags & kRtlReading) ? WS_EX_RTLREADING : 0, RichEditClass(), nullptr,
                                    WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | align, 0, 0,
                                    kTextWidth, 20, Handle(),
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kTextControlId)), instance, nullptr);
    ::SendMessageW(m_textControl, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
    ::SendMessageW(m_textControl, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(GetSysColor(m_messageAreaColor)));
    ::SendMessageW(m_textControl, EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE);
    ::SetWindowTextW(m_textControl, m_text.W());
    for (const CButton& button : Buttons()) {
        const HWND control = CreateWindowExW(
            0, L"BUTTON", button.caption.W(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, kButtonWidth,
            kButtonHeight, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.reply)), instance, nullptr);
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
        m_buttonControls.push_back(control);
    }
    ::SendMessageW(m_textControl, EM_REQUESTRESIZE, 0, 0);
    return 0;
}

bool CMessageBox::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != kTextControlId || header->code != EN_REQUESTRESIZE)
        return false;
    const auto* request = reinterpret_cast<const REQRESIZE*>(lParam);
    m_textHeight = request->rc.bottom - request->rc.top;
    *result = 0;
    return true;
}

void CMessageBox::Layout(int textHeight)
{
    const HWND anchor = m_owner != nullptr ? m_owner : GetDesktopWindow();
    const RECT work = MonitorWorkArea(MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST));
    // A long text keeps the box on the screen and scrolls.
    const int maxText = (work.bottom - work.top) * 3 / 5;
    const bool scrolls = textHeight > maxText;
    const int shownText = std::max(std::min(textHeight, maxText), kIconSize);
    if (scrolls)
        SetWindowLongW(m_textControl, GWL_STYLE, GetWindowLongW(m_textControl, GWL_STYLE) | WS_VSCROLL);
    const int textLeft = m_iconControl != nullptr ? kMargin + kIconSize + kMargin : kMargin;
    const int buttons = static_cast<int>(m_buttonControls.size());
    const int buttonsWidth = buttons * kButtonWidth + std::max(buttons - 1, 0) * kButtonGap;
    const int clientWidth = std::max(textLeft + kTextWidth + (scrolls ? GetSystemMetrics(SM_CXVSCROLL) : 0) + kMargin,
                                     buttonsWidth + 2 * kMargin);
    const int messageHeight = kMargin + shownText + kMargin;
    const int clientHeight = messageHeight + kMargin + kButtonHeight + kMargin;
    MoveWindow(m_textControl, textLeft, kMargin, clientWidth - textLeft - kMargin, shownText, FALSE);
    int x = clientWidth - kMargin - buttonsWidth;
    for (const HWND button : m_buttonControls) {
        MoveWindow(button, x, messageHeight + kMargin, kButtonWidth, kButtonHeight, FALSE);
        x += kButtonWidth + kButtonGap;
    }
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, GetWindowLongW(Handle(), GWL_STYLE), FALSE, GetWindowLongW(Handle(), GWL_EXSTYLE));
    RECT around = work;
    if (m_owner != nullptr && IsWindowVisible(m_owner) && !IsIconic(m_owner))
        ::GetWindowRect(m_owner, &around);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int left = std::max<int>(work.left, (around.left + around.right - width) / 2);
    const int top = std::max<int>(work.top, (around.top + around.bottom - height) / 2);
    ::SetWindowPos(Handle(), (m_flags & kTopmost) ? HWND_TOPMOST : nullptr, left, top, width, height,
                   (m_flags & kTopmost) ? 0 : SWP_NOZORDER);
}

void CMessageBox::OnPaint()
{
    const CPaintDC paint(Handle());
    const HDC dc = paint.Get();
    RECT client{};
    ::GetClientRect(Handle(), &client);
    RECT buttonArea = client;
    buttonArea.top = client.bottom - (kMargin + kButtonHeight + kMargin);
    RECT messageArea = client;
    messageArea.bottom = buttonArea.top;
    FillRect(dc, &messageArea, GetSysColorBrush(m_messageAreaColor));
    FillRect(dc, &buttonArea, GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CMessageBox::OnCtlColorStatic(WPARAM wParam, LPARAM)
{
    SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(m_messageAreaColor));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(m_messageAreaColor));
}

LRESULT CMessageBox::OnClose(WPARAM, LPARAM)
{
    OnCommand(IDCANCEL, 0);
    return 0;
}

bool CMessageBox::OnCommand(WPARAM wParam, LPARAM)
{
    const int id = LOWORD(wParam);
    switch (id) {
    case IDCANCEL:
        if (m_flags & kCancel)
            End(IDCANCEL);
        else if (m_flags & kOk)
            End(IDOK);
        return true;
    case IDOK: End(IDOK); return true;
    case IDHELP: {
        HELPINFO help{};
        help.cbSize = sizeof help;
        help.iContextType = HELPINFO_WINDOW;
        help.iCtrlId = IDHELP;
        const DWORD position = GetMessagePos();
        help.MousePos = POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
        ::SendMessageW(Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        return true;
    }
    case IDYES:
    case IDNO:
    case IDABORT:
    case IDRETRY:
    case IDIGNORE:
    case kYesToAllReply:
    case kNoToAllReply: End(id); return true;
    default: return false;
    }
}

void CMessageBox::End(int reply)
{
    m_reply = reply;
    m_ended = true;
    if (m_loop != nullptr)
        m_loop->End();
}

bool CMessageBox::PreTranslateModal(MSG& message)
{
    if (message.message == WM_KEYDOWN && (message.wParam == 'C' || message.wParam == VK_INSERT) &&
        GetKeyState(VK_CONTROL) < 0) {
        CopyToClipboard();
        return true;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
        const HWND focus = ::GetFocus();
        const int id = focus != nullptr && GetParent(focus) == Handle() && focus != m_textControl
                           ? GetDlgCtrlID(focus)
                           : static_cast<int>(
                                 GetWindowLongPtrW(m_buttonControls.empty() ? Handle() : m_buttonControls[0], GWLP_ID));
        OnCommand(static_cast<WPARAM>(id), 0);
        return true;
    }
    return IsDialogMessageW(Handle(), &message) != FALSE;
}

int CMessageBox::DoModal()
{
    const TObj::CUnicodeString className = RegisterWindowClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW), nullptr);
    std::vector<HWND> disabled = DisableOthers();
    ++t_openBoxes;
    auto restore = TObj::OnScopeExit([this, &disabled] {
        m_loop = nullptr;
        --t_openBoxes;
        for (const HWND window : disabled)
            if (IsWindow(window))
                EnableWindow(window, TRUE);
    });
    CreateAndShow(className);
    CModalMessageLoop loop(this, CModalMessageLoop::kIdle | CModalMessageLoop::kWindowSeesFirst);
    m_loop = &loop;
    if (!m_ended)
        loop.Run();
    // A quit closes the box as its close button would; a failed GetMessage, already
    // reported, ends it with 0 like a Windows message box that failed.
    if (!m_ended)
        m_reply = loop.EndedByQuit() ? IDCANCEL : 0;
    // The others are enabled before the box goes, so that Windows activates its owner
    // rather than another program's window.
    restore.RunNow();
    if (Handle() != nullptr)
        DestroyWindow();
    m_font.Delete();
    return m_reply;
}

std::vector<HWND> CMessageBox::DisableOthers() const
{
    // The box is modal for its owner, or like a task-modal box for this thread's windows.
    std::vector<HWND> disabled;
    if (m_owner != nullptr && IsWindowEnabled(m_owner)) {
        EnableWindow(m_owner, FALSE);
        disabled.push_back(m_owner);
    } else if (m_owner == nullptr) {
        EnumThreadWindows(GetCurrentThreadId(), DisableThreadWindow, reinterpret_cast<LPARAM>(&disabled));
    }
    return disabled;
}

void CMessageBox::CreateAndShow(const TObj::CUnicodeString& className)
{
    CreateEx(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | ((m_flags & kTopmost) ? WS_EX_TOPMOST : 0), className,
             m_caption, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, 100, 100, m_owner, nullptr);
    Layout(m_textHeight);
    ShowWindow(SW_SHOW);
    if (m_flags & kForeground)
        SetForegroundWindow(Handle());
    const unsigned defaultIndex = ((m_flags & kDefaults) >> 16) - 1;
    if (!m_buttonControls.empty())
        ::SetFocus(m_buttonControls[std::min<std::size_t>(defaultIndex, m_buttonControls.size() - 1)]);
}

} // namespace ZYR
