#include "DebugFlags.h"

#include <atomic>

namespace TObj {

namespace {
std::atomic<std::uint32_t> g_flags{kInitialDebugFlags};
}

std::uint32_t GetDebugFlags() noexcept { return g_flags.load(); }
void SetDebugFlags(std::uint32_t flags) noexcept { g_flags.store(flags); }

} // namespace TObj
