// LibraryState.h
// Holds the process-wide state of the foundation library's start-up and shutdown, which
// decides for example whether message texts come from the table or from built-in defaults.
#pragma once

namespace TObj {

enum class ELibraryState { NeverStarted = 0, Starting = 1, Running = 2, ModuleFailed = 3, ShutDown = 4 };

ELibraryState GetLibraryState() noexcept;
void SetLibraryState(ELibraryState state) noexcept;

} // namespace TObj
