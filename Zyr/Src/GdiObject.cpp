#include "GdiObject.h"

#include "Errors.h"
#include "ReportPlaces.h"

#include <atomic>

namespace ZYR {

namespace {
std::atomic<long> g_liveHandles{0};
std::atomic<long> g_made{0};
} // namespace

void CGdiObject::CTraits::Close(Handle handle) noexcept
{
    if (!IsDeletable(handle))
        return;
    if (!DeleteObject(handle))
        OutputDebugStringW(L"ZYR warning: Failed to destroy GDI object. Possible GDI leak!\n");
    --g_liveHandles;
}

long CGdiObject::LiveHandlesForTesting() noexcept { return g_liveHandles.load(); }

long CGdiObject::ObjectsMadeForTesting() noexcept { return g_made.load(); }

void CGdiObject::CountMade() noexcept { ++g_made; }

bool CGdiObject::RequireEmpty() const { return TOBJ_ASSERT(m_handle.IsEmpty(), Places::kCreateIntoFullWrapper); }

void CGdiObject::Attach(HGDIOBJ handle) noexcept
{
    m_handle.Reset(handle);
    if (handle != nullptr && CTraits::IsDeletable(handle))
        ++g_liveHandles;
}

} // namespace ZYR
