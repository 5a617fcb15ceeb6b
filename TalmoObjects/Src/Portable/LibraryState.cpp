#include "LibraryState.h"

#include <atomic>

namespace TObj {

namespace {
std::atomic<ELibraryState> g_state{ELibraryState::NeverStarted};
}

ELibraryState GetLibraryState() noexcept { return g_state.load(); }
void SetLibraryState(ELibraryState state) noexcept { g_state.store(state); }

} // namespace TObj
