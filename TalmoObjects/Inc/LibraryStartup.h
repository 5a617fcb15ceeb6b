// LibraryStartup.h
// Holds the foundation library's start-up and shutdown (Windows): the debug flags read from
// the registry, the locale, the application-data and registry paths, the resource base,
// the temporary folder and the static modules; plus the program's registry paths, the
// 64-bit Windows test and the Windows version tests.
#pragma once

#include "UnicodeString.h"

#include <windows.h>

namespace TObj {

// True when the library runs. Nested calls only count.
bool InitializeTalmoObjects();
void DeinitializeTalmoObjects();

using FStaticModuleFunction = void (*)();
// Modules start in registration order at start-up and stop in reverse order at shutdown.
void RegisterStaticModule(HMODULE module, FStaticModuleFunction start, FStaticModuleFunction stop);
void RegisterStaticModuleAt(const void* address, FStaticModuleFunction start, FStaticModuleFunction stop);

// Reads the ten named flags under "Software\Orvex\Talmo Objects" of the current user.
std::uint32_t ReadDebugFlagsFromRegistry(std::uint32_t initial);

// "Software\Orvex\" + program name, set at start-up.
CUnicodeString GetRegistryPath();
// "Orvex\" + program name, handed to the user's and the common application-data folders.
CUnicodeString GetApplicationDataRelativeFolder();
// The machine's "Temp" setting when it was given, else the system's temporary folder.
CUnicodeString GetTemporaryFolder();

using FIsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);
// The run-time test: no function means no 64-bit Windows; a failing call is an internal
// error with its error code.
bool IsWow64Through(FIsWow64Process isWow64Process);
// Whether the program runs on 64-bit Windows, decided once. A 64-bit build answers true
// without asking: IsWow64Process reports FALSE for a 64-bit process.
bool IsWow64();

// The running Windows is at least major.minor.
bool IsWindowsVersionAtLeast(unsigned major, unsigned minor);

} // namespace TObj
