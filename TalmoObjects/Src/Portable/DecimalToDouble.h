// DecimalToDouble: the library's one conversion of a decimal number to a double, rounded to
// nearest with ties to even whatever the number's length, without the C locale, without
// allocating and without the floating-point unit (whose precision the 32-bit run time sets
// to 64 bits, so that one multiplication can round twice).
#pragma once

#include <cstdint>

namespace TObj {

// The number is 0 or D × 10^exponent, where D is the integer whose decimal digits (0 to 9,
// most significant first, without leading zeros) are digits[0..count) and, when moreDigits
// is set, further digits that are not all zero follow the ones given. Returns ±0 when the
// number is too small for a double and ±infinity when it is too large.
double DecimalToDouble(const unsigned char* digits, int count, bool moreDigits, std::int64_t exponent,
                       bool negative) noexcept;

} // namespace TObj
