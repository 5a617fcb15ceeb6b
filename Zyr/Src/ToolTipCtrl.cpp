#include "ToolTipCtrl.h"

#include "Errors.h"
#include "Lock.h"
#include "ReportPlaces.h"
#include "SystemLibrary.h"
#include "ZyrFailure.h"

#include <commctrl.h>

#include <cstddef>
#include <cstring>
#include <mutex>

namespace ZYR {

ZYR_BEGIN_MESSAGE_MAP(CToolTipCtrl, CWindow)
    ZYR_ON_MESSAGE(TTM_ADDTOOLW, OnAddTool)
    ZYR_ON_MESSAGE(TTM_WINDOWFROMPOINT, OnWindowFromPoint)
    ZYR_ON_MESSAGE(WM_ENABLE, OnEnable)
ZYR_END_MESSAGE_MAP(CWindow)

DWORD CToolTipCtrl::InitCommonControls()
{
    static TObj::CLock lock;
    static DWORD classes = 0;
    std::lock_guard<TObj::CLock> guard(lock);
    if (classes != 0)
        return classes;
    // Looked up at run time from System32 (the manifest picks version 6), not imported.
    using FInit = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = TObj::SystemFunctionAs<FInit>(L"comctl32.dll", "InitCommonControlsEx");
    const DWORD sets[] = {0xFF, 0x700, 0x3800, 0xC000};
    for (const DWORD set : sets) {
        INITCOMMONCONTROLSEX request{sizeof request, set};
        if (init != nullptr && init(&request))
            classes |= set;
    }
    if (classes == 0)
        TObj::GenerateInternalError(TObj::kAssertion, Places::kNoCommonControls);
    return classes;
}

CToolTipCtrl::~CToolTipCtrl() { m_texts.clear(); }

void CToolTipCtrl::Create(DWORD style, CWindow* parent)
{
    if (InitCommonControls() == 0) {
        TObj::GenerateInternalError(TObj::kAssertion, Places::kTooltipWithoutCommonControls);
        return;
    }
    CreateEx(0, TObj::CUnicodeString(u"tooltips_class32"), TObj::CUnicodeString(), style | WS_POPUP, 0, 0, 0, 0,
             parent != nullptr ? parent->Handle() : nullptr, nullptr);
}

namespace {

// The first version of the tool description, up to the text pointer (TTTOOLINFOW_V1_SIZE,
// which is not a constant expression): 40 bytes in a 32-bit build, 56 in a 64-bit one.
constexpr TOOLINFOW FirstVersionToolInfo()
{
    TOOLINFOW info{};
    info.cbSize = offsetof(TOOLINFOW, lpszText) + sizeof(LPWSTR);
    return info;
}
static_assert(FirstVersionToolInfo().cbSize == (sizeof(void*) == 4 ? 40u : 56u),
              "cbSize is the size of the description's first version in this build");

} // namespace

void CToolTipCtrl::AddTool(CWindow* owner, CWindow* tool, const TObj::CUnicodeString& text)
{
    if (!TOBJ_ASSERT(Handle() != nullptr && IsWindow(Handle()), Places::kAddToolWithoutTooltip) ||
        !TOBJ_ASSERT(owner != nullptr && tool != nullptr, Places::kAddToolWithoutWindows))
        return;
    TOOLINFOW info = FirstVersionToolInfo();
    info.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
    info.hwnd = owner->Handle();
    info.uId = reinterpret_cast<UINT_PTR>(tool->Handle());
    info.lpszText = const_cast<wchar_t*>(text.W());
    ZYR_CHECK(::SendMessageW(Handle(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0, Places::kAddTool);
}

LRESULT CToolTipCtrl::OnAddTool(WPARAM wParam, LPARAM lParam)
{
    const auto* given = reinterpret_cast<const TOOLINFOW*>(lParam);
    if (given == nullptr)
        return Default();
    TOOLINFOW copy{};
    std::memcpy(&copy, given, given->cbSize < sizeof copy ? given->cbSize : sizeof copy);
    const wchar_t* text = copy.lpszText;
    if (copy.hinst == nullptr && text != nullptr && text != LPSTR_TEXTCALLBACKW && !IS_INTRESOURCE(text)) {
        const TObj::CUnicodeString wanted(text);
        bool stored = false;
        for (const TObj::CUnicodeString& kept : m_texts)
            stored = stored || kept == wanted;
        if (!stored) {
            m_texts.push_back(wanted);
            copy.lpszText = const_cast<wchar_t*>(m_texts.back().W());
        }
    }
    return DefWindowProc(TTM_ADDTOOLW, wParam, reinterpret_cast<LPARAM>(&copy));
}

LRESULT CToolTipCtrl::OnWindowFromPoint(WPARAM, LPARAM lParam)
{
    const auto* point = reinterpret_cast<const POINT*>(lParam);
    HWND window = point != nullptr ? WindowFromPoint(*point) : nullptr;
    if (window == nullptr)
        return 0;
    wchar_t className[32] = {0};
    const HWND parent = GetParent(window);
    if (parent != nullptr && GetClassNameW(parent, className, 32) && lstrcmpiW(className, L"COMBOBOX") == 0)
        window = parent;
    else if (GetClassNameW(window, className, 32) && lstrcmpiW(className, L"ComboBoxEx32") == 0)
        window = parent;
    if ((GetWindowLongW(Handle(), GWL_STYLE) & TTS_ALWAYSTIP) == 0 &&
        GetAncestor(window, GA_ROOT) != GetForegroundWindow())
        return 0;
    return reinterpret_cast<LRESULT>(window);
}

LRESULT CToolTipCtrl::OnEnable(WPARAM wParam, LPARAM lParam)
{
    ::SendMessageW(Handle(), TTM_ACTIVATE, wParam, 0);
    return DefWindowProc(WM_ENABLE, wParam, lParam);
}

void CToolTipCtrl::DestroyWindow()
{
    CWindow::DestroyWindow();
    m_texts.clear();
}

} // namespace ZYR
