#include "Errors.h"

#include "DebugFlags.h"
#include "MessageFormat.h"
#include "MessageHandler.h"
#include "Platform.h"
#include "ScopeExit.h"

#include <atomic>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

namespace TObj {

namespace {

TOBJ_MESSAGE(MSG_ASSERT);
TOBJ_MESSAGE(MSG_ASSERTLASTERROR);
TOBJ_MESSAGE(MSG_PRESUME);
TOBJ_MESSAGE(MSG_PRESUMELASTERROR);

thread_local CThreadErrorState t_state;
std::atomic<bool> g_errorsAreThrown{true};

int StopMode(const WChar* name, std::atomic<int>& cache)
{
    int mode = cache.load();
    if (mode < 0) {
        mode = Platform::ReadUserDebugInt(name, 1);
        cache.store(mode);
    }
    return mode;
}

std::atomic<int> g_assertStopMode{-1};
std::atomic<int> g_errorStopMode{-1};

CUnicodeString AssertionText(int kind, const WChar* function, const WChar* expression, const WChar* file, int line,
                             std::uint32_t code)
{
    const CMessage* message;
    const WChar* builtIn;
    switch (kind) {
    case kAssertion:
        message = &MSG_ASSERT, builtIn = u"Internal Program Error:\nAssertion failed: ( %0 )\n%2, %3.\n( %1 ).";
        break;
    case kAssertionWithCode:
        message = &MSG_ASSERTLASTERROR,
        builtIn = u"Internal Program Error:\nAssertion failed: ( %0 )\n%2, %3.\n( %1 ).\nError code: %4 - %5";
        break;
    case kPresumption:
        message = &MSG_PRESUME, builtIn = u"Internal Program Error:\nPresumption failed: ( %0 )\n%2, %3.\n( %1 ).";
        break;
    default:
        message = &MSG_PRESUMELASTERROR,
        builtIn = u"Internal Program Error:\nPresumption failed: ( %0 )\n%2, %3.\n( %1 ).\nError code: %4 - %5";
        break;
    }
    std::vector<CUnicodeString> params{CUnicodeString(expression), CUnicodeString(function), CUnicodeString(file),
                                       CUnicodeString::FromInt(line), FormatErrorCode(code)};
    if (kind == kAssertionWithCode || kind == kPresumptionWithCode)
        params.push_back(SystemErrorText(code));
    return FillPlaceholders(GetMessageTextOrDefault(*message, builtIn), params);
}

} // namespace

CThreadErrorState& ThreadErrorState() noexcept { return t_state; }
bool ErrorsAreThrown() noexcept { return g_errorsAreThrown.load(); }
void SetErrorsAreThrown(bool thrown) noexcept { g_errorsAreThrown.store(thrown); }
bool FailuresAreThrownHere() noexcept { return ErrorsAreThrown() && !t_state.throwForbidden; }

void ShowErrorImmediately(const CUnicodeString& text)
{
    if (t_state.showingInternalError) {
        ShowMessage(CUnicodeString(u"Double internal error!\nApplication terminated."), kStopIconSystemModal);
        std::abort();
    }
    t_state.showingInternalError = true;
    const auto restore = OnScopeExit([] { t_state.showingInternalError = false; });
    ShowMessage(text, kStopIconSystemModal);
    t_state.errorAlreadyShown = true;
}

bool GenerateInternalError(int kind, const CReportPlace& place, std::uint32_t code)
{
    return GenerateInternalError(kind, u"", u"", place.file, place.line, code);
}

bool GenerateInternalError(int kind, const WChar* function, const WChar* expression, const WChar* file, int line,
                           std::uint32_t code)
{
    Platform::ApplyStopMode(StopMode(u"AssertStopMode", g_assertStopMode));
    // The thread's processing flag is back as it was on every way out, a throw included.
    const bool enclosingProcessing = std::exchange(t_state.insideErrorProcessing, true);
    const auto restore = OnScopeExit([enclosingProcessing] { t_state.insideErrorProcessing = enclosingProcessing; });
    if (kind < kAssertion || kind > kPresumptionWithCode) {
        GenerateInternalError(kAssertion, u"TObj::GenerateInternalError", u"kind <= 3", u"errors", __LINE__, 0);
        kind = kAssertion;
    }
    if (FailuresAreThrownHere())
        throw new CInternalError(file, line, kind, code);
    ShowErrorImmediately(
        AssertionText(kind, function ? function : u"", expression ? expression : u"", file ? file : u"", line, code));
    return false;
}

void ThrowMemoryException()
{
    if (GetDebugFlags() & kBreakOnMemoryException)
        Platform::ApplyStopMode(2);
    throw new CMemoryException;
}

void ThrowUserException() { throw new CUserException; }

void RaiseOrShow(CException* exception)
{
    Platform::ApplyStopMode(StopMode(u"ErrorStopMode", g_errorStopMode));
    if (FailuresAreThrownHere())
        throw exception;
    std::unique_ptr<CException> owned(exception);
    ShowErrorImmediately(owned->GetMessageText());
}

void ThrowCheckError(const CMessage& message, const CUnicodeString& p0, const CUnicodeString& p1)
{
    RaiseOrShow(new CCheckException(message, p0, p1));
}

void ReportException(const CException* exception)
{
    if (exception != nullptr)
        ReportThroughHandler(*exception);
}

} // namespace TObj
