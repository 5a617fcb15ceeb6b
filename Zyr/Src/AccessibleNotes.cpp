#include "AccessibleNotes.h"

#include "ComObjects.h"

#include <oleacc.h>

namespace ZYR {
namespace AccessibleNotes {

namespace {

// The service's GUIDs, as oleacc.h gives them, here so that no import library of oleacc is
// linked (a program that links one keeps its own definitions).
constexpr GUID kServiceClass = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kServiceFace = {0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kDescription = {0x4d48dfe4, 0xbd3f, 0x491f, {0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20, 0xc5, 0x88}};
constexpr GUID kState = {0xa8d4d5b0, 0x0a21, 0x42d0, {0xa5, 0xc0, 0x51, 0x4e, 0x98, 0x4f, 0x45, 0x7b}};

// Wine makes the service but annotates nothing: asked once, never again.
bool g_annotatesNothing = false;

// Made once, at the first note; null where it cannot be.
IAccPropServices* Service()
{
    static IAccPropServices* const service = [] {
        IAccPropServices* made = nullptr; // owned for the rest of the process
        if (FAILED(MakeInProcessObject(kServiceClass, kServiceFace, reinterpret_cast<void**>(&made))))
            return static_cast<IAccPropServices*>(nullptr);
        return made;
    }();
    return g_annotatesNothing ? nullptr : service;
}

} // namespace

bool Describe(HWND control, const TObj::CUnicodeString& description, bool unavailable)
{
    IAccPropServices* const service = Service();
    if (service == nullptr)
        return false;
    MSAAPROPID descriptionProperty[] = {kDescription};
    const HRESULT described =
        description.IsEmpty()
            ? service->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, descriptionProperty, 1)
            : service->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, kDescription, description.W());
    if (described == E_NOTIMPL) {
        g_annotatesNothing = true;
        return false;
    }
    MSAAPROPID stateProperty[] = {kState};
    VARIANT state;
    VariantInit(&state);
    state.vt = VT_I4;
    state.lVal = STATE_SYSTEM_UNAVAILABLE;
    // Without a note of its own, the proxy tells the state as the control has it.
    const HRESULT stated = unavailable ? service->SetHwndProp(control, OBJID_CLIENT, CHILDID_SELF, kState, state)
                                       : service->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, stateProperty, 1);
    return SUCCEEDED(described) && SUCCEEDED(stated);
}

void Forget(HWND control)
{
    IAccPropServices* const service = Service();
    if (service == nullptr)
        return;
    MSAAPROPID all[] = {kDescription, kState};
    service->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, all, 2);
}

} // namespace AccessibleNotes
} // namespace ZYR
