// The run time's throw helpers, which its containers and strings call when a rule is broken,
// are the library's own: the run time's versions build exception objects that carry strings
// of their own and bring a second string implementation, about 60 KB, into every program.
// A broken rule becomes an internal error with its place, and a request for more memory than
// can exist the library's memory failure; both are the library's exceptions, so a window
// procedure's barrier reports them like any other. A program that links none of the
// library's code that needs them keeps the run time's.
#include "Errors.h"
#include "ReportPlaces.h"

#include <new>

namespace {

[[noreturn]] void ThrowRuleFailure(const TObj::CReportPlace& place)
{
    throw new TObj::CInternalError(place.file, place.line, TObj::kAssertion, 0);
}

} // namespace

namespace std {

namespace P = TObj::Places;

void __throw_bad_alloc() { TObj::ThrowMemoryException(); }
void __throw_bad_array_new_length() { TObj::ThrowMemoryException(); }
void __throw_logic_error(const char*) { ThrowRuleFailure(P::kRunTimeLogicError); }
void __throw_domain_error(const char*) { ThrowRuleFailure(P::kRunTimeDomainError); }
void __throw_invalid_argument(const char*) { ThrowRuleFailure(P::kRunTimeInvalidArgument); }
void __throw_length_error(const char*) { ThrowRuleFailure(P::kRunTimeLengthError); }
void __throw_out_of_range(const char*) { ThrowRuleFailure(P::kRunTimeOutOfRange); }
void __throw_out_of_range_fmt(const char*, ...) { ThrowRuleFailure(P::kRunTimeOutOfRange); }
void __throw_runtime_error(const char*) { ThrowRuleFailure(P::kRunTimeRuntimeError); }
void __throw_range_error(const char*) { ThrowRuleFailure(P::kRunTimeRangeError); }
void __throw_overflow_error(const char*) { ThrowRuleFailure(P::kRunTimeOverflowError); }
void __throw_underflow_error(const char*) { ThrowRuleFailure(P::kRunTimeUnderflowError); }
void __throw_bad_cast() { ThrowRuleFailure(P::kRunTimeBadCast); }
void __throw_bad_typeid() { ThrowRuleFailure(P::kRunTimeBadTypeid); }
void __throw_bad_exception() { ThrowRuleFailure(P::kRunTimeBadException); }

} // namespace std
