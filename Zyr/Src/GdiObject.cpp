#include "GdiObject.h"

#include "Errors.h"
#include "ReportPlaces.h"

#include <atomic>
#include <utility>

namespace ZYR {

namespace {
std::atomic<long> g_liveHandles{0};
std::atomic<long> g_made{0};
}

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept
{
    if (this != &other) {
        Delete();
        std::swap(m_handle, other.m_handle);
    }
    return *this;
}

void CGdiObject::Delete() noexcept
{
    if (m_handle == nullptr)
        return;
    if (IsDeletable(m_handle)) {
        if (!DeleteObject(m_handle))
            OutputDebugStringW(L"ZYR warning: Failed to destroy GDI object. Possible GDI leak!\n");
        --g_liveHandles;
    }
    m_handle = nullptr;
}

long CGdiObject::LiveHandles() noexcept { return g_liveHandles.load(); }

long CGdiObject::ObjectsMadeForTesting() noexcept { return g_made.load(); }

void CGdiObject::CountMade() noexcept { ++g_made; }

bool CGdiObject::RequireEmpty() const { return TOBJ_ASSERT(m_handle == nullptr, Places::kCreateIntoFullWrapper); }

void CGdiObject::Attach(HGDIOBJ handle) noexcept
{
    m_handle = handle;
    if (handle != nullptr && IsDeletable(handle))
        ++g_liveHandles;
}

} // namespace ZYR
