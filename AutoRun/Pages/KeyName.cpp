#include "KeyName.h"

#include <algorithm>
#include <string>

using TObj::CUnicodeString;

namespace {

int LengthOf(const char16_t* name) { return static_cast<int>(std::char_traits<char16_t>::length(name)); }

} // namespace

CKeyName::CKeyName(const char16_t* name) { Append(name, LengthOf(name)); }

CKeyName::CKeyName(const CUnicodeString& prefix, const char16_t* name)
{
    Append(prefix.Ptr(), prefix.Length());
    Append(name, LengthOf(name));
}

void CKeyName::Append(const TObj::WChar* units, int count)
{
    if (m_spill.IsEmpty() && m_length + count <= kCapacity) {
        std::copy(units, units + count, m_units + m_length);
    } else {
        if (m_spill.IsEmpty())
            m_spill = CUnicodeString(m_units, m_length);
        m_spill += CUnicodeString(units, count);
    }
    m_length += count;
}
