#include "AccessibleControl.h"

#include "SystemLibrary.h"

namespace ZYR {

namespace {

// A text for the client, or S_FALSE and none for an empty one.
HRESULT TextAnswer(const TObj::CUnicodeString& text, BSTR* out)
{
    *out = text.IsEmpty() ? nullptr : SysAllocString(text.W());
    if (text.IsEmpty())
        return S_FALSE;
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void SetNumber(VARIANT* out, long number)
{
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = number;
}

} // namespace

CAccessibleControl::CAccessibleControl(HWND control, IAccessibleSource& source) : m_control(control), m_source(&source)
{}

CAccessibleControl::~CAccessibleControl() { Disconnect(); }

void CAccessibleControl::Disconnect() noexcept
{
    m_control = nullptr;
    m_source = nullptr;
    if (m_standard != nullptr)
        m_standard->Release();
    m_standard = nullptr;
}

HRESULT CAccessibleControl::QueryInterface(REFIID face, void** out)
{
    if (out == nullptr)
        return E_POINTER;
    if (face == IID_IUnknown || face == IID_IDispatch || face == __uuidof(IAccessible)) {
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG CAccessibleControl::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }

ULONG CAccessibleControl::Release()
{
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT CAccessibleControl::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT CAccessibleControl::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CAccessibleControl::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT CAccessibleControl::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

HRESULT CAccessibleControl::askable(const VARIANT& child) const
{
    if (m_source == nullptr)
        return RPC_E_DISCONNECTED;
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF ? S_OK : E_INVALIDARG;
}

IAccessible* CAccessibleControl::standard()
{
    using FCreateStandard = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    static const auto create = TObj::SystemFunctionAs<FCreateStandard>(L"oleacc.dll", "CreateStdAccessibleObject");
    if (m_standard == nullptr && m_control != nullptr && create != nullptr &&
        FAILED(create(m_control, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&m_standard))))
        m_standard = nullptr;
    return m_standard;
}

HRESULT CAccessibleControl::get_accParent(IDispatch** parent)
{
    *parent = nullptr;
    if (m_source == nullptr)
        return RPC_E_DISCONNECTED;
    IAccessible* const system = standard();
    return system != nullptr ? system->get_accParent(parent) : S_FALSE;
}

HRESULT CAccessibleControl::get_accChildCount(long* count)
{
    *count = 0;
    return m_source != nullptr ? S_OK : RPC_E_DISCONNECTED;
}

HRESULT CAccessibleControl::get_accChild(VARIANT, IDispatch** object)
{
    *object = nullptr;
    return m_source != nullptr ? E_INVALIDARG : RPC_E_DISCONNECTED;
}

HRESULT CAccessibleControl::get_accName(VARIANT child, BSTR* name)
{
    *name = nullptr;
    const HRESULT asked = askable(child);
    return FAILED(asked) ? asked : TextAnswer(m_source->AccessibleFacts().name, name);
}

HRESULT CAccessibleControl::get_accValue(VARIANT child, BSTR* value)
{
    *value = nullptr;
    const HRESULT asked = askable(child);
    return FAILED(asked) ? asked : S_FALSE;
}

HRESULT CAccessibleControl::get_accDescription(VARIANT child, BSTR* description)
{
    *description = nullptr;
    const HRESULT asked = askable(child);
    return FAILED(asked) ? asked : TextAnswer(m_source->AccessibleFacts().description, description);
}

HRESULT CAccessibleControl::get_accRole(VARIANT child, VARIANT* role)
{
    VariantInit(role);
    const HRESULT asked = askable(child);
    if (FAILED(asked))
        return asked;
    SetNumber(role, m_source->AccessibleFacts().role);
    return S_OK;
}

HRESULT CAccessibleControl::get_accState(VARIANT child, VARIANT* state)
{
    VariantInit(state);
    const HRESULT asked = askable(child);
    if (FAILED(asked))
        return asked;
    const CAccessibleFacts facts = m_source->AccessibleFacts();
    long states = (facts.focusable ? STATE_SYSTEM_FOCUSABLE : 0) | (facts.unavailable ? STATE_SYSTEM_UNAVAILABLE : 0);
    if (GetFocus() == m_control)
        states |= STATE_SYSTEM_FOCUSED;
    if (facts.hot)
        states |= STATE_SYSTEM_HOTTRACKED;
    if (!IsWindowVisible(m_control))
        states |= STATE_SYSTEM_INVISIBLE;
    SetNumber(state, states);
    return S_OK;
}

HRESULT CAccessibleControl::get_accHelp(VARIANT child, BSTR* help)
{
    *help = nullptr;
    const HRESULT asked = askable(child);
    return FAILED(asked) ? asked : S_FALSE;
}

HRESULT CAccessibleControl::get_accHelpTopic(BSTR* file, VARIANT child, long* topic)
{
    *file = nullptr;
    *topic = 0;
    const HRESULT asked = askable(child);
    return FAILED(asked) ? asked : S_FALSE;
}

HRESULT CAccessibleControl::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    *shortcut = nullptr;
    const HRESULT asked = askable(child);
    return FAILED(asked) ? asked : S_FALSE;
}

HRESULT CAccessibleControl::get_accFocus(VARIANT* focused)
{
    VariantInit(focused);
    if (m_source == nullptr)
        return RPC_E_DISCONNECTED;
    if (GetFocus() != m_control)
        return S_FALSE;
    SetNumber(focused, CHILDID_SELF);
    return S_OK;
}

HRESULT CAccessibleControl::get_accSelection(VARIANT* selected)
{
    VariantInit(selected);
    return m_source != nullptr ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT CAccessibleControl::get_accDefaultAction(VARIANT child, BSTR* action)
{
    *action = nullptr;
    const HRESULT asked = askable(child);
    return FAILED(asked) ? asked : TextAnswer(m_source->AccessibleFacts().defaultAction, action);
}

HRESULT CAccessibleControl::accSelect(long flags, VARIANT child)
{
    const HRESULT asked = askable(child);
    if (FAILED(asked))
        return asked;
    if (flags != SELFLAG_TAKEFOCUS)
        return E_INVALIDARG;
    if (!m_source->AccessibleFacts().focusable)
        return S_FALSE;
    SetFocus(m_control);
    return S_OK;
}

HRESULT CAccessibleControl::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    *left = *top = *width = *height = 0;
    const HRESULT asked = askable(child);
    if (FAILED(asked))
        return asked;
    RECT place{};
    GetClientRect(m_control, &place);
    MapWindowPoints(m_control, nullptr, reinterpret_cast<POINT*>(&place), 2);
    // A right-to-left window maps its corners swapped.
    *left = place.left < place.right ? place.left : place.right;
    *top = place.top;
    *width = place.left < place.right ? place.right - place.left : place.left - place.right;
    *height = place.bottom - place.top;
    return S_OK;
}

HRESULT CAccessibleControl::accNavigate(long direction, VARIANT start, VARIANT* reached)
{
    VariantInit(reached);
    const HRESULT asked = askable(start);
    if (FAILED(asked))
        return asked;
    IAccessible* const system = standard();
    return system != nullptr ? system->accNavigate(direction, start, reached) : S_FALSE;
}

HRESULT CAccessibleControl::accHitTest(long x, long y, VARIANT* hit)
{
    VariantInit(hit);
    if (m_source == nullptr)
        return RPC_E_DISCONNECTED;
    RECT place{};
    GetWindowRect(m_control, &place);
    if (!PtInRect(&place, POINT{x, y}))
        return S_FALSE;
    SetNumber(hit, CHILDID_SELF);
    return S_OK;
}

HRESULT CAccessibleControl::accDoDefaultAction(VARIANT child)
{
    const HRESULT asked = askable(child);
    if (FAILED(asked))
        return asked;
    const CAccessibleFacts facts = m_source->AccessibleFacts();
    if (facts.defaultAction.IsEmpty() || facts.unavailable)
        return DISP_E_MEMBERNOTFOUND;
    m_source->StartDefaultAction();
    return S_OK;
}

HRESULT CAccessibleControl::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }

HRESULT CAccessibleControl::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

} // namespace ZYR
