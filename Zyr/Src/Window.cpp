#include "Window.h"

#include "CatchFailure.h"
#include "Errors.h"
#include "FrameWindow.h"
#include "RecursiveLock.h"
#include "ReportPlaces.h"
#include "WinApp.h"
#include "ZyrFailure.h"

#include <memory>
#include <mutex>
#include <unordered_map>

namespace ZYR {

namespace {

// A wrapper for a window the library did not create: it only detaches when it goes.
class CTempObject : public CWindow {
public:
    ~CTempObject() override { ForgetHandle(); }
};

TObj::CRecursiveLock& MapLock()
{
    static TObj::CRecursiveLock lock;
    return lock;
}

struct CHandleMaps {
    std::unordered_map<HWND, CWindow*> permanent;
    std::unordered_map<HWND, std::unique_ptr<CTempObject>> temporary;
};

CHandleMaps& Maps()
{
    static CHandleMaps* maps = new CHandleMaps; // lives to the end of the process
    return *maps;
}

CWindow* g_underConstruction = nullptr;
DWORD g_guiThread = 0;
thread_local CCurrentMessage t_current{nullptr, 0, 0, 0};

bool CheckGuiThread(const TObj::CReportPlace& place)
{
    const DWORD thread = GetCurrentThreadId();
    if (g_guiThread == 0)
        g_guiThread = thread;
    return TOBJ_ASSERT(g_guiThread == thread, place);
}

TOBJ_MESSAGE(ERR_UNCAUGHT_INTERNAL_ERROR);

} // namespace

CWindow* WindowFromHandleForMap(HWND handle) { return CWindow::FromHandle(handle); }

const CCurrentMessage& CurrentMessage() { return t_current; }

bool IsGuiThread() { return g_guiThread == 0 || g_guiThread == GetCurrentThreadId(); }
void ForgetGuiThread() { g_guiThread = 0; }

void DeleteTemporaryWindows()
{
    std::lock_guard<TObj::CRecursiveLock> guard(MapLock());
    Maps().temporary.clear();
}

ZYR_BEGIN_MESSAGE_MAP(CWindow, CCmdTarget)
    ZYR_ON_MESSAGE(WM_NCDESTROY, OnNcDestroy)
ZYR_END_MESSAGE_MAP(CCmdTarget)

CWindow::~CWindow()
{
    if (m_handle != nullptr && IsWindow(m_handle)) {
        OutputDebugStringW(L"Warning: calling DestroyWindow from CWindow::~CWindow;\n");
        OutputDebugStringW(L"\tOnDestroy, OnNcDestroy, OnDetach in derived class will not be called.\n");
        ::DestroyWindow(m_handle);
    }
    if (m_handle != nullptr) {
        std::lock_guard<TObj::CRecursiveLock> guard(MapLock());
        Maps().permanent.erase(m_handle);
    }
}

CWindow* CWindow::FromHandlePermanent(HWND handle)
{
    std::lock_guard<TObj::CRecursiveLock> guard(MapLock());
    const auto found = Maps().permanent.find(handle);
    return found == Maps().permanent.end() ? nullptr : found->second;
}

CWindow* CWindow::FromHandle(HWND handle)
{
    if (handle == nullptr)
        return nullptr;
    std::lock_guard<TObj::CRecursiveLock> guard(MapLock());
    if (CWindow* bound = FromHandlePermanent(handle))
        return bound;
    auto& temporary = Maps().temporary[handle];
    if (!temporary) {
        temporary.reset(new CTempObject);
        temporary->m_handle = handle;
    }
    return temporary.get();
}

std::size_t CWindow::BoundWindowCountForTesting()
{
    std::lock_guard<TObj::CRecursiveLock> guard(MapLock());
    return Maps().permanent.size();
}

CWindow* CWindow::GetFocus() { return FromHandle(::GetFocus()); }

void CWindow::Attach(HWND handle)
{
    if (!TOBJ_ASSERT(m_handle == nullptr, Places::kAttachToBoundObject) ||
        !TOBJ_ASSERT(IsWindow(handle), Places::kAttachToNoWindow))
        return;
    m_handle = handle;
    {
        std::lock_guard<TObj::CRecursiveLock> guard(MapLock());
        Maps().permanent[handle] = this;
        Maps().temporary.erase(handle);
        if (g_underConstruction == this)
            g_underConstruction = nullptr;
    }
    OnAttach();
}

void CWindow::CreateEx(DWORD exStyle, const TObj::CUnicodeString& className, const TObj::CUnicodeString& text,
                       DWORD style, int x, int y, int width, int height, HWND parent, HMENU menuOrId, void* parameter)
{
    if (!CheckGuiThread(Places::kCreateOffGuiThread))
        return;
    const bool childOrPopup = (style & (WS_CHILD | WS_POPUP)) != 0;
    TOBJ_ASSERT(!childOrPopup || (x != CW_USEDEFAULT && width != CW_USEDEFAULT), Places::kChildAtDefaultPlace);
    {
        std::lock_guard<TObj::CRecursiveLock> guard(MapLock());
        if (!TOBJ_ASSERT(m_handle == nullptr, Places::kConstructBoundObject))
            return;
        g_underConstruction = this;
    }
    const HWND handle = CreateWindowExW(exStyle, className.W(), text.W(), style, x, y, width, height, parent, menuOrId,
                                        GetModuleHandleW(nullptr), parameter);
    {
        std::lock_guard<TObj::CRecursiveLock> guard(MapLock());
        if (g_underConstruction == this)
            g_underConstruction = nullptr;
    }
    if (handle == nullptr) {
        ReportFailedCall(Places::kCreateEx);
        return;
    }
    if (m_handle == nullptr) {
        // A class with its own procedure: bind it now by subclassing.
        TOBJ_ASSERT(reinterpret_cast<WNDPROC>(GetClassLongPtrW(handle, GCLP_WNDPROC)) != ZyrWindowProcedure,
                    Places::kBindOwnProcedure);
        SubclassWindow(handle);
    }
    TOBJ_ASSERT(m_handle == handle, Places::kBoundOtherHandle);
}

void CWindow::CreateEx(DWORD exStyle, const TObj::CUnicodeString& className, const TObj::CUnicodeString& text,
                       DWORD style, const RECT& rect, CWindow* parent, UINT id, void* parameter)
{
    CreateEx(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
             parent != nullptr ? parent->Handle() : nullptr, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
             parameter);
}

void CWindow::SubclassWindow(HWND handle)
{
    if (!CheckGuiThread(Places::kSubclassOffGuiThread) ||
        !TOBJ_ASSERT(m_superWndProc == nullptr, Places::kSubclassedTwice) ||
        !TOBJ_ASSERT(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(handle, GWLP_WNDPROC)) != ZyrWindowProcedure,
                     Places::kSubclassLibraryWindow))
        return;
    Attach(handle);
    m_superWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ZyrWindowProcedure)));
    ZYR_CHECK(m_superWndProc != nullptr, Places::kSubclassWindow);
}

LRESULT CWindow::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_superWndProc != nullptr)
        return CallWindowProcW(m_superWndProc, m_handle, message, wParam, lParam);
    return ::DefWindowProcW(m_handle, message, wParam, lParam);
}

LRESULT CWindow::Default() { return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam); }

void CWindow::DestroyWindow()
{
    if (!TOBJ_ASSERT(m_handle != nullptr, Places::kDestroyWithoutWindow))
        return;
    // No frame above may give the focus back to a window that is gone.
    for (HWND ancestor = GetParent(m_handle); ancestor != nullptr; ancestor = GetParent(ancestor)) {
        if (auto* frame = dynamic_cast<CFrameWindow*>(FromHandlePermanent(ancestor)))
            frame->ForgetFocusWindow(m_handle);
        if ((GetWindowLongW(ancestor, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    ::DestroyWindow(m_handle);
}

bool CWindow::PreTranslateMessage(MSG& message)
{
    const HWND parent = m_handle != nullptr ? GetParent(m_handle) : nullptr;
    if (parent == nullptr)
        return false;
    CWindow* parentObject = FromHandle(parent);
    return parentObject != nullptr && parentObject->PreTranslateMessage(message);
}

bool CWindow::IsDialogNavigation(MSG& message)
{
    if (m_handle == nullptr || GetWindow(m_handle, GW_CHILD) == nullptr)
        return false;
    return IsDialogMessageW(m_handle, &message) != FALSE;
}

bool CWindow::OnCommand(WPARAM, LPARAM) { return false; }
bool CWindow::OnNotify(WPARAM, LPARAM, LRESULT*) { return false; }

LRESULT CWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

bool CWindow::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return false;
        *result = 0;
        return true;
    }
    if (message == WM_NOTIFY && lParam != 0)
        return OnNotify(wParam, lParam, result);
    const CMessageMapEntry* entry = FindMessageEntry(GetMessageMap(), message);
    if (entry == nullptr)
        return false;
    *result = entry->handler(*this, wParam, lParam);
    return true;
}

LRESULT CWindow::OnNcDestroy(WPARAM, LPARAM)
{
    const HWND handle = m_handle;
    const auto procedureBefore = GetWindowLongPtrW(handle, GWLP_WNDPROC);
    const LRESULT result = Default();
    if (m_superWndProc != nullptr && GetWindowLongPtrW(handle, GWLP_WNDPROC) == procedureBefore)
        SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superWndProc));
    m_superWndProc = nullptr;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(handle, GWLP_WNDPROC)) == ZyrWindowProcedure)
        SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&::DefWindowProcW));
    FinalDetach();
    TOBJ_ASSERT(m_handle == nullptr, Places::kDetachLeftHandle);
    return result;
}

void CWindow::FinalDetach()
{
    const HWND handle = m_handle;
    TOBJ_ASSERT(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(handle, GWLP_WNDPROC)) != ZyrWindowProcedure,
                Places::kDetachedWithLibraryProcedure);
    {
        std::lock_guard<TObj::CRecursiveLock> guard(MapLock());
        Maps().permanent.erase(handle);
    }
    m_handle = nullptr;
    OnDetach();
}

LRESULT CALLBACK ZyrWindowProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    {
        std::lock_guard<TObj::CRecursiveLock> guard(MapLock());
        CWindow* pending = g_underConstruction;
        if (pending != nullptr && pending->m_handle == nullptr && Maps().permanent.count(handle) == 0) {
            g_underConstruction = nullptr;
            pending->Attach(handle);
        }
    }
    const CCurrentMessage saved = t_current;
    t_current = CCurrentMessage{handle, message, wParam, lParam};
    LRESULT result = 0;
    CWinApp* app = CWinApp::Current();
    const auto dispatch = [&] {
        if (app == nullptr || !app->PreDispatch(handle, message, wParam, lParam, &result)) {
            CWindow* window = CWindow::FromHandlePermanent(handle);
            if (window == nullptr) {
                result = ::DefWindowProcW(handle, message, wParam, lParam);
            } else {
                result = window->WindowProc(message, wParam, lParam);
                if (app != nullptr)
                    app->PostDispatch(handle, message, wParam, lParam, &result);
            }
        }
    };
    try {
        TObj::CatchFailure(dispatch, [&](const TObj::CException& failure) {
            CWinApp::HandleWindowProcException(app, &failure, handle, message);
            result = 0;
        });
    } catch (...) {
        // Nothing may unwind through the system's frames; an unknown failure is reported.
        const TObj::CCheckException unknown(ERR_UNCAUGHT_INTERNAL_ERROR);
        CWinApp::HandleWindowProcException(app, &unknown, handle, message);
        result = 0;
    }
    t_current = saved;
    return result;
}

bool CWindow::RequireLiveWindow(const TObj::CReportPlace& place) const
{
    return TOBJ_ASSERT(m_handle != nullptr && IsWindow(m_handle), place);
}

DWORD CWindow::Style() const
{
    return RequireLiveWindow(Places::kStyleOfNoWindow) ? static_cast<DWORD>(GetWindowLongW(m_handle, GWL_STYLE)) : 0;
}
DWORD CWindow::ExStyle() const
{
    return RequireLiveWindow(Places::kExStyleOfNoWindow) ? static_cast<DWORD>(GetWindowLongW(m_handle, GWL_EXSTYLE))
                                                         : 0;
}
bool CWindow::IsChild() const
{
    return RequireLiveWindow(Places::kIsChildOfNoWindow) && (GetWindowLongW(m_handle, GWL_STYLE) & WS_CHILD) != 0;
}
bool CWindow::IsVisible() const
{
    return RequireLiveWindow(Places::kVisibilityOfNoWindow) && IsWindowVisible(m_handle);
}

void CWindow::Invalidate(bool erase)
{
    if (RequireLiveWindow(Places::kInvalidateNoWindow))
        ZYR_CHECK(::InvalidateRect(m_handle, nullptr, erase) != 0, Places::kInvalidate);
}

void CWindow::InvalidateRect(const RECT& rect, bool erase)
{
    if (RequireLiveWindow(Places::kInvalidateRectNoWindow))
        ZYR_CHECK(::InvalidateRect(m_handle, &rect, erase) != 0, Places::kInvalidateRect);
}

bool CWindow::ShowWindow(int command)
{
    return RequireLiveWindow(Places::kShowNoWindow) && ::ShowWindow(m_handle, command) != FALSE;
}

CWindow* CWindow::SetFocus()
{
    return RequireLiveWindow(Places::kFocusNoWindow) ? FromHandle(::SetFocus(m_handle)) : nullptr;
}

void CWindow::SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags)
{
    if (RequireLiveWindow(Places::kPlaceNoWindow))
        ZYR_CHECK(::SetWindowPos(m_handle, insertAfter, x, y, width, height, flags) != 0, Places::kSetWindowPos);
}

RECT CWindow::GetWindowRect() const
{
    RECT rect{};
    if (RequireLiveWindow(Places::kWindowRectOfNoWindow))
        ZYR_CHECK(::GetWindowRect(m_handle, &rect) != 0, Places::kGetWindowRect);
    return rect;
}

RECT CWindow::GetClientRect() const
{
    RECT rect{};
    if (RequireLiveWindow(Places::kClientRectOfNoWindow))
        ZYR_CHECK(::GetClientRect(m_handle, &rect) != 0, Places::kGetClientRect);
    return rect;
}

LRESULT CWindow::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return RequireLiveWindow(Places::kSendToNoWindow) ? ::SendMessageW(m_handle, message, wParam, lParam) : 0;
}

void CWindow::UpdateWindow()
{
    if (RequireLiveWindow(Places::kUpdateNoWindow))
        ZYR_CHECK(::UpdateWindow(m_handle) != 0, Places::kUpdateWindow);
}

void CWindow::TrackMouseEvent(DWORD flags, DWORD hoverTime)
{
    if (!RequireLiveWindow(Places::kTrackNoWindow))
        return;
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), flags, m_handle, hoverTime};
    ZYR_CHECK(::TrackMouseEvent(&track) != 0, Places::kTrackMouseEvent);
}

void SetWindowTextW(HWND handle, const TObj::CUnicodeString& text)
{
    if (!TOBJ_ASSERT(IsWindow(handle), Places::kSetTextOfNoWindow))
        return;
    const int length = GetWindowTextLengthW(handle);
    std::unique_ptr<wchar_t[]> previous(new wchar_t[static_cast<std::size_t>(length) + 1]);
    GetWindowTextW(handle, previous.get(), length + 1);
    if (text == TObj::CUnicodeString(previous.get()))
        return;
    ReplaceWindowTextW(handle, text);
}

void ReplaceWindowTextW(HWND handle, const TObj::CUnicodeString& text)
{
    ZYR_CHECK(::SetWindowTextW(handle, text.W()) != 0, Places::kSetWindowTextW);
}

void DestroyWindowIfAlive(CWindow& window)
{
    if (window.Handle() != nullptr && IsWindow(window.Handle()))
        window.DestroyWindow();
}

RECT MonitorWorkArea(HMONITOR monitor)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    return info.rcWork;
}

RECT AdjustWindowRectEx(const RECT& rect, DWORD style, bool hasMenu, DWORD exStyle)
{
    RECT adjusted = rect;
    ZYR_CHECK(::AdjustWindowRectEx(&adjusted, style, hasMenu, exStyle) != 0, Places::kAdjustWindowRectEx);
    return adjusted;
}

} // namespace ZYR
