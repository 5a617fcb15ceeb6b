#include "AccessibleObject.h"

#include "AccessibleControl.h"
#include "ComObjects.h"
#include "SystemLibrary.h"

#include <utility>

namespace ZYR {

CAccessibleObject::~CAccessibleObject() { release(); }

CAccessibleObject::CAccessibleObject(CAccessibleObject&& other) noexcept
    : m_object(std::exchange(other.m_object, nullptr))
{}

CAccessibleObject& CAccessibleObject::operator=(CAccessibleObject&& other) noexcept
{
    if (this != &other) {
        release();
        m_object = std::exchange(other.m_object, nullptr);
    }
    return *this;
}

void CAccessibleObject::release() noexcept
{
    if (m_object == nullptr)
        return;
    m_object->Disconnect();
    m_object->Release();
    m_object = nullptr;
}

LRESULT CAccessibleObject::Answer(HWND control, IAccessibleSource& source, WPARAM flags)
{
    // The accessibility library is loaded only once a client asks, as Windows loads it into
    // the client's process anyway.
    using FLresultFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, IUnknown*);
    static const auto lresultFromObject =
        TObj::SystemFunctionAs<FLresultFromObject>(L"oleacc.dll", "LresultFromObject");
    if (lresultFromObject == nullptr || FAILED(InitializeComHere()))
        return 0;
    if (m_object == nullptr)
        m_object = new CAccessibleControl(control, source);
    const LRESULT answer = lresultFromObject(__uuidof(IAccessible), flags, m_object);
    // A failure comes back as its (negative) HRESULT.
    return answer > 0 ? answer : 0;
}

} // namespace ZYR
