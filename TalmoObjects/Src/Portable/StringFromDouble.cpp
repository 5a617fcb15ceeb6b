// CUnicodeString::FromDouble, alone in its file: shortest-exact printing of a double brings
// its tables with it (about 200 KB), and a program that never prints a decimal, such as the
// launcher, then links none of it.
#include "UnicodeString.h"

#include <charconv>

namespace TObj {

CUnicodeString CUnicodeString::FromDouble(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    *result.ptr = 0;
    return CUnicodeString(buffer);
}

} // namespace TObj
