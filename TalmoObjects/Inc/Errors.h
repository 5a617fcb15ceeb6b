// Errors.h
// Holds the one road of every failure:
//  - the per-thread error flags and the process-wide "errors are thrown" switch;
//  - GenerateInternalError, the target of every assertion, and the assertion macros;
//  - the throw functions of each exception kind, which throw or, where throwing is not
//    allowed, show the failure at once;
//  - ReportException, called by whoever catches a CException pointer.
#pragma once

#include "CheckException.h"
#include "Exception.h"
#include "InternalError.h"
#include "Message.h"

#include <cstdint>

namespace TObj {

struct CThreadErrorState {
    bool insideErrorProcessing = false;
    bool showingInternalError = false;
    bool errorAlreadyShown = false;
    bool throwForbidden = false;
    int reportDepth = 0; // reports in progress on this thread
};

CThreadErrorState& ThreadErrorState() noexcept;
bool ErrorsAreThrown() noexcept;
void SetErrorsAreThrown(bool thrown) noexcept;
// Whether a failure raised now is thrown (else it is shown at once).
bool FailuresAreThrownHere() noexcept;

// The source name and line that an internal-error report shows: the identity by which
// users and support know the report. Each library keeps its places in one table
// (ReportPlaces.h); they are fixed texts, not positions in the code.
struct CReportPlace {
    const WChar* file;
    int line;
};

// Always answers false, the "do not break" of the assertion macros. Throws a CInternalError
// where failures are thrown; otherwise shows the assertion text with expression, function,
// file and line at once and returns.
bool GenerateInternalError(int kind, const WChar* function, const WChar* expression, const WChar* file, int line,
                           std::uint32_t code);
bool GenerateInternalError(int kind, const CReportPlace& place, std::uint32_t code = 0);

[[noreturn]] void ThrowMemoryException();
[[noreturn]] void ThrowUserException();
void ThrowCheckError(const CMessage& message, const CUnicodeString& p0 = {}, const CUnicodeString& p1 = {});
// Throws the exception where failures are thrown, else shows its text at once and deletes it.
void RaiseOrShow(CException* exception);

void ReportException(const CException* exception);

// The system's text for a Windows error code.
CUnicodeString SystemErrorText(std::uint32_t code);

// Shows a failure's text at once with a stop icon, guarding against a failure while one
// is already being shown on this thread.
void ShowErrorImmediately(const CUnicodeString& text);

} // namespace TObj

// Internal rules name their place from their library's table, so reports stay the same
// when code moves.
#define TOBJ_ASSERT(condition, place) ((condition) ? true : ::TObj::GenerateInternalError(::TObj::kAssertion, place))
