// ZyrFailure.h
// Holds the window library's one failure rule for Win32 calls: a shortage of memory ends
// the process through the resource-exhaustion stop; any other error is an internal error
// naming the library function, the failed expression, the source file, the line and the
// Windows error code (CFailurePlace names all but the code).
#pragma once

#include "UnicodeString.h"

#include <cstdint>

namespace ZYR {

// Names the place of a call for the report of its failure; each library keeps its places
// in one table (ReportPlaces.h).
struct CFailurePlace {
    const TObj::WChar* function;
    const TObj::WChar* expression;
    const TObj::WChar* file;
    int line;
};

// Applies the rule to the calling thread's last error.
void ReportFailedCall(const TObj::WChar* function, const TObj::WChar* expression, const TObj::WChar* file, int line);
void ReportFailedCall(const CFailurePlace& place);
void ReportFailedCall(const CFailurePlace& place, std::uint32_t code);
// The same with an error code read earlier.
void ReportFailedCall(const TObj::WChar* function, const TObj::WChar* expression, const TObj::WChar* file, int line,
                      std::uint32_t code);

// Shows "Not enough resources..." once and ends the process with the error code, never 0:
// a code of 0 ends it with 14. A second stop while the first shows ends it at once.
[[noreturn]] void ResourceExhaustionStop(std::uint32_t code);

// Calls that may fail without an error code raise this while they run; a failure with
// code 0 then counts as a shortage.
class CSilentFailureScope {
public:
    CSilentFailureScope() noexcept;
    ~CSilentFailureScope();
    CSilentFailureScope(const CSilentFailureScope&) = delete;
    CSilentFailureScope& operator=(const CSilentFailureScope&) = delete;
};

} // namespace ZYR

#define ZYR_CHECK(condition, place) ((condition) ? true : (::ZYR::ReportFailedCall(place), false))
