#include "ZyrFailure.h"

#include "Errors.h"
#include "MessageHandler.h"

#include <windows.h>

#include <atomic>

namespace ZYR {

namespace {
TOBJ_MESSAGE(ERR_ZYR_NOT_ENOUGH_RESOURCES);
std::atomic<bool> g_stopping{false};
std::atomic<int> g_silentFailures{0};
} // namespace

CSilentFailureScope::CSilentFailureScope() noexcept { ++g_silentFailures; }
CSilentFailureScope::~CSilentFailureScope() { --g_silentFailures; }

void ResourceExhaustionStop(std::uint32_t code)
{
    const UINT exitCode = code != 0 ? code : ERROR_OUTOFMEMORY;
    if (g_stopping.exchange(true))
        TerminateProcess(GetCurrentProcess(), exitCode);
    try {
        TObj::ShowMessage(TObj::LoadMessageText(ERR_ZYR_NOT_ENOUGH_RESOURCES), MB_ICONHAND);
    } catch (...) {
    }
    TerminateProcess(GetCurrentProcess(), exitCode);
    for (;;)
        Sleep(INFINITE);
}

void ReportFailedCall(const TObj::WChar* function, const TObj::WChar* expression, const TObj::WChar* file, int line,
                      std::uint32_t code)
{
    if (code == ERROR_NOT_ENOUGH_MEMORY || code == ERROR_OUTOFMEMORY || (code == 0 && g_silentFailures.load() > 0))
        ResourceExhaustionStop(code);
    TObj::GenerateInternalError(TObj::kAssertionWithCode, function, expression, file, line, code);
}

void ReportFailedCall(const CFailurePlace& place)
{
    ReportFailedCall(place.function, place.expression, place.file, place.line, GetLastError());
}

void ReportFailedCall(const CFailurePlace& place, std::uint32_t code)
{
    ReportFailedCall(place.function, place.expression, place.file, place.line, code);
}

void ReportFailedCall(const TObj::WChar* function, const TObj::WChar* expression, const TObj::WChar* file, int line)
{
    ReportFailedCall(function, expression, file, line, GetLastError());
}

} // namespace ZYR
