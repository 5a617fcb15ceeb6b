// AccessibleControl.h
// Holds ZYR::CAccessibleControl, the accessible object (IAccessible) of one control: its
// name, role, state, description and default action come from the control (its
// IAccessibleSource) at each question; its parent and neighbours from the system's standard
// object for the window. Once cut from the control, it answers that the control is gone.
#pragma once

#include "AccessibleSource.h"

#include <windows.h>

#include <oleacc.h>

namespace ZYR {

class CAccessibleControl final : public IAccessible {
public:
    CAccessibleControl(HWND control, IAccessibleSource& source);
    CAccessibleControl(const CAccessibleControl&) = delete;
    CAccessibleControl& operator=(const CAccessibleControl&) = delete;

    // The control goes: no question reaches it from now on.
    void Disconnect() noexcept;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID face, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: screen readers call IAccessible directly; no type information is given.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focused) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selected) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* reached) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    ~CAccessibleControl();
    // S_OK when the control is still there and `child` names the control itself.
    HRESULT askable(const VARIANT& child) const;
    // The system's object for the window, made at the first need; null where there is none.
    IAccessible* standard();

    LONG m_references = 1;
    HWND m_control;                    // not owned: the control's window; null once cut
    IAccessibleSource* m_source;       // not owned: the control; null once cut
    IAccessible* m_standard = nullptr; // owned: one reference
};

} // namespace ZYR
