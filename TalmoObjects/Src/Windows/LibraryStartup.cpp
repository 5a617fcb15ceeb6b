#include "LibraryStartup.h"

#include "CatchFailure.h"
#include "DebugFlags.h"
#include "Errors.h"
#include "LibraryState.h"
#include "MessageFormat.h"
#include "MessageHandler.h"
#include "Platform.h"
#include "ProgramPaths.h"
#include "RecursiveLock.h"
#include "RegistryKey.h"
#include "ReportPlaces.h"
#include "ResourceBase.h"
#include "ScopeExit.h"

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

// The run time's own default terminate handler prints the exception's demangled type and
// so links the demangler; the library's handler is installed at start-up anyway, so the
// default becomes the library's too.
namespace __gnu_cxx {
void __verbose_terminate_handler();
void __verbose_terminate_handler()
{
    MessageBoxW(nullptr, L"Unhandled Internal Error", L"Talmo Objects", 0x1010);
    std::abort();
}
} // namespace __gnu_cxx

namespace TObj {

namespace {

struct CStaticModule {
    const void* identity; // the module handle, or a code address
    FStaticModuleFunction start;
    FStaticModuleFunction stop;
    bool started;
    bool byAddress;
};

struct CLibrary {
    int nesting = 0;
    std::vector<CStaticModule> modules;
    std::terminate_handler previousTerminate = nullptr;
    std::new_handler previousNewHandler = nullptr;
    _invalid_parameter_handler previousInvalidParameter = nullptr;
    bool savedErrorsAreThrown = true;
    CUnicodeString registryPath;
    CUnicodeString applicationData;
    CUnicodeString temporaryFolder;
};

CRecursiveLock& StartUpLock()
{
    static CRecursiveLock lock;
    return lock;
}

CLibrary& Library()
{
    static CLibrary* library = new CLibrary; // outlives static destruction on purpose
    return *library;
}

void Log(const WChar* line) { Platform::WriteMessageLog(CUnicodeString(line)); }

// An allocation that fails is the library's memory failure, as a request the run time's
// containers know to be impossible already is (RunTimeThrows.cpp): the run time's own
// exception would pass every barrier, which catch the library's, and end the program
// without a word. A 32-bit process meets it long before a 64-bit one.
void LibraryNewHandler() { ThrowMemoryException(); }

// Run-time functions given an invalid parameter then simply return their error.
void __cdecl IgnoreInvalidParameter(const wchar_t*, const wchar_t*, const wchar_t*, unsigned, std::uintptr_t) {}

[[noreturn]] void LibraryTerminate()
{
    __gnu_cxx::__verbose_terminate_handler();
    std::abort(); // not reached
}

struct CFlagName {
    const wchar_t* name;
    std::uint32_t bit;
};

const CFlagName kFlagNames[] = {
    {L"KeepTempFiles", kKeepTempFiles},
    {L"SaveUndefinedMessages", kSaveUndefinedMessages},
    {L"EnableHeapSwitching", kEnableHeapSwitching},
    {L"ShowHeapMemoryLeaks", kShowHeapMemoryLeaks},
    {L"BreakOnMemoryException", kBreakOnMemoryException},
    {L"UnloadLibraries", kUnloadLibraries},
    {L"CheckAllResourceModulesExistance", kCheckAllResourceModulesExistance},
    {L"ReportMemoryErrorInMessageBox", kReportMemoryErrorInMessageBox},
    {L"SaveAllMessages", kSaveAllMessages},
    {L"CheckMessagesParamsCount", kCheckMessagesParamsCount},
};

void ReportPlaceholderWarning(const CUnicodeString& warning) { ShowMessage(warning, 0x31); }

// Starts the modules not started yet, in registration order, without the start-up lock.
bool StartModules(CRecursiveLock& held)
{
    CLibrary& library = Library();
    for (std::size_t i = 0; i < library.modules.size(); ++i) {
        if (library.modules[i].started)
            continue;
        library.modules[i].started = true;
        const CStaticModule module = library.modules[i];
        if (module.byAddress) {
            Platform::WriteMessageLog(
                CUnicodeString::Format(u"TalmoObj: Initializing static module with address %p", module.identity));
        } else {
            wchar_t path[MAX_PATH] = {0};
            GetModuleFileNameW(static_cast<HMODULE>(const_cast<void*>(module.identity)), path, MAX_PATH);
            Platform::WriteMessageLog(u"TalmoObj: Initializing " + CUnicodeString(path));
        }
        bool failed = false;
        RunWithLockGivenBack(held, [&module, &failed] {
            failed = !ReportFailure([&module] {
                if (module.start != nullptr)
                    module.start();
            });
        });
        if (failed) {
            SetLibraryState(ELibraryState::ModuleFailed);
            return false;
        }
    }
    return true;
}

} // namespace

std::uint32_t ReadDebugFlagsFromRegistry(std::uint32_t flags)
{
    CRegistryKey key;
    if (!key.Open(HKEY_CURRENT_USER, L"Software\\Orvex\\Talmo Objects"))
        return flags;
    for (const CFlagName& flag : kFlagNames) {
        CUnicodeString text;
        std::int32_t value = 0;
        if (!key.ReadString(flag.name, text) || !text.ToInt(value))
            continue;
        flags = value > 0 ? (flags | flag.bit) : (flags & ~flag.bit);
    }
    return flags;
}

bool InitializeTalmoObjects()
{
    CRecursiveLock& lock = StartUpLock();
    const std::lock_guard<CRecursiveLock> guard(lock);
    CLibrary& library = Library();
    if (++library.nesting > 1)
        return GetLibraryState() == ELibraryState::Running && StartModules(lock) &&
               GetLibraryState() == ELibraryState::Running;
    const ELibraryState state = GetLibraryState();
    if (state != ELibraryState::NeverStarted && state != ELibraryState::ShutDown) {
        --library.nesting;
        GenerateInternalError(kAssertion, Places::kStartedWhileRunning);
        return false;
    }
    SetLibraryState(ELibraryState::Starting);

    const std::terminate_handler previous = std::set_terminate(LibraryTerminate);
    library.previousTerminate = previous == LibraryTerminate ? nullptr : previous;
    const std::new_handler previousNew = std::set_new_handler(LibraryNewHandler);
    library.previousNewHandler = previousNew == LibraryNewHandler ? nullptr : previousNew;
    const _invalid_parameter_handler previousInvalid = _set_invalid_parameter_handler(IgnoreInvalidParameter);
    library.previousInvalidParameter = previousInvalid == IgnoreInvalidParameter ? nullptr : previousInvalid;
    library.savedErrorsAreThrown = ErrorsAreThrown();
    SetErrorsAreThrown(true);

    Platform::HoldMessageLogSetting(true);
    SetDebugFlags(ReadDebugFlagsFromRegistry(kInitialDebugFlags));
    SetPlaceholderCheckReport(GetDebugFlags() & kCheckMessagesParamsCount ? &ReportPlaceholderWarning : nullptr);
    Log(u"TalmoObj: Debug flags initialized.");

    if (ReadDebugInt(HKEY_CURRENT_USER, L"SetLocale", 1) != 0) {
        std::setlocale(LC_ALL, "");
        Log(u"TalmoObj: CRT locale changed.");
    }

    // Without the program's name there is no folder of its own to keep data in.
    IgnoreFailure([&library] { library.applicationData = u"Orvex\\" + GetProgramName(); });
    Log(u"TalmoObj: Application data path initialized.");

    library.registryPath = u"Software\\Orvex\\" + GetProgramName();
    Log(u"TalmoObj: Registry paths initialized.");

    InitializeResourceBase();
    Log(u"TalmoObj: Resource base initialized.");

    CRegistryKey machine;
    CUnicodeString temp;
    if (machine.Open(HKEY_LOCAL_MACHINE, L"Software\\Orvex\\Talmo Objects") && machine.ReadString(L"Temp", temp) &&
        !temp.IsEmpty())
        library.temporaryFolder = temp;

    SetLibraryState(ELibraryState::Running);
    StartModules(lock);
    Log(u"TalmoObj: All modules initialized.");
    SetErrorsAreThrown(library.savedErrorsAreThrown);
    // A failed start is never shut down, so it keeps nothing.
    if (GetLibraryState() != ELibraryState::Running)
        Platform::HoldMessageLogSetting(false);
    return GetLibraryState() == ELibraryState::Running;
}

void DeinitializeTalmoObjects()
{
    CRecursiveLock& lock = StartUpLock();
    const std::lock_guard<CRecursiveLock> guard(lock);
    CLibrary& library = Library();
    if (GetLibraryState() != ELibraryState::Running)
        return;
    if (--library.nesting >= 1)
        return;
    Log(u"TalmoObj: Deinitializing...");
    const bool savedThrown = ErrorsAreThrown();
    SetErrorsAreThrown(true);

    // Listings are diagnostics: a folder that cannot be written must not stop the shutdown.
    if (GetDebugFlags() & kSaveAllMessages) {
        WriteAllMessagesListing(AllMessagesListingPath());
        Log(u"TalmoObj: All messages saved.");
    }
    if (GetDebugFlags() & kSaveUndefinedMessages) {
        WriteUndefinedMessagesListing(UndefinedMessagesListingPath());
        Log(u"TalmoObj: Undefined messages saved.");
    }

    for (std::size_t i = library.modules.size(); i-- > 0;) {
        if (!library.modules[i].started)
            continue;
        library.modules[i].started = false;
        const FStaticModuleFunction stop = library.modules[i].stop;
        RunWithLockGivenBack(lock, [stop] {
            ReportFailure([stop] {
                if (stop != nullptr)
                    stop();
            });
        });
    }
    std::vector<CStaticModule> kept;
    for (const CStaticModule& module : library.modules) {
        wchar_t path[MAX_PATH];
        if (module.byAddress ||
            GetModuleFileNameW(static_cast<HMODULE>(const_cast<void*>(module.identity)), path, MAX_PATH) != 0)
            kept.push_back(module);
    }
    library.modules = kept;
    Log(u"TalmoObj: All modules terminated.");
    Log(u"TalmoObj: Temporary files system terminated.");

    SetErrorsAreThrown(savedThrown && library.savedErrorsAreThrown);
    std::set_terminate(library.previousTerminate);
    library.previousTerminate = nullptr;
    std::set_new_handler(library.previousNewHandler);
    library.previousNewHandler = nullptr;
    _set_invalid_parameter_handler(library.previousInvalidParameter);
    library.previousInvalidParameter = nullptr;
    SetPlaceholderCheckReport(nullptr);

    SetLibraryState(ELibraryState::ShutDown);
    DeinitializeResourceBase();
    Log(u"TalmoObj: Resource base deinitialized.");
    Log(u"TalmoObj: Deinitialization complete.");
    Platform::HoldMessageLogSetting(false);
}

void RegisterStaticModule(HMODULE module, FStaticModuleFunction start, FStaticModuleFunction stop)
{
    std::lock_guard<CRecursiveLock> guard(StartUpLock());
    Library().modules.push_back({module, start, stop, false, false});
}

void RegisterStaticModuleAt(const void* address, FStaticModuleFunction start, FStaticModuleFunction stop)
{
    std::lock_guard<CRecursiveLock> guard(StartUpLock());
    Library().modules.push_back({address, start, stop, false, true});
}

CUnicodeString GetRegistryPath()
{
    std::lock_guard<CRecursiveLock> guard(StartUpLock());
    return Library().registryPath;
}

CUnicodeString GetApplicationDataRelativeFolder()
{
    std::lock_guard<CRecursiveLock> guard(StartUpLock());
    return Library().applicationData;
}

CUnicodeString GetTemporaryFolder()
{
    {
        std::lock_guard<CRecursiveLock> guard(StartUpLock());
        if (!Library().temporaryFolder.IsEmpty())
            return Library().temporaryFolder;
    }
    wchar_t folder[MAX_PATH + 1] = {0};
    GetTempPathW(MAX_PATH + 1, folder);
    return CUnicodeString(folder);
}

bool IsWow64Through(FIsWow64Process isWow64Process)
{
    if (isWow64Process == nullptr)
        return false;
    BOOL wow64 = FALSE;
    if (!isWow64Process(GetCurrentProcess(), &wow64)) {
        GenerateInternalError(kAssertionWithCode, Places::kIsWow64ProcessFailed, GetLastError());
        return false;
    }
    return wow64 != FALSE;
}

bool IsWow64()
{
#ifdef _WIN64
    return true;
#else
    static const bool wow64 = IsWow64Through(reinterpret_cast<FIsWow64Process>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "IsWow64Process"))));
    return wow64;
#endif
}

bool IsWindowsVersionAtLeast(unsigned major, unsigned minor)
{
    static const OSVERSIONINFOEXW version = [] {
        OSVERSIONINFOEXW info{};
        info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info));
#pragma GCC diagnostic pop
        return info;
    }();
    return version.dwMajorVersion > major || (version.dwMajorVersion == major && version.dwMinorVersion >= minor);
}

} // namespace TObj
