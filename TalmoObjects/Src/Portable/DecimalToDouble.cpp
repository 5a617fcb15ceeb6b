// Exact arithmetic on integers of a few thousand bits: the quotient of the number and a
// power of two, rounded once. 800 significant digits decide the rounding of any double (a
// halfway point between two doubles has at most 767), and the rest only says "not all zero".
#include "DecimalToDouble.h"

#include <cstdint>
#include <cstring>

namespace TObj {

namespace {

constexpr int kSignificantDigits = 800;
// 10^(324 + 801) times 2^53, the largest integer the division below can meet, has 3,791 bits.
constexpr int kWords = 128;

class CBigNumber {
public:
    void SetSmall(std::uint32_t value)
    {
        m_words[0] = value;
        m_count = value ? 1 : 0;
    }

    void MultiplyAdd(std::uint32_t factor, std::uint32_t addend)
    {
        std::uint64_t carry = addend;
        for (int i = 0; i < m_count; ++i) {
            carry += static_cast<std::uint64_t>(m_words[i]) * factor;
            m_words[i] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry)
            m_words[m_count++] = static_cast<std::uint32_t>(carry);
    }

    void MultiplyByPowerOfTen(std::int64_t exponent)
    {
        for (; exponent >= 9; exponent -= 9)
            MultiplyAdd(1000000000u, 0);
        std::uint32_t rest = 1;
        for (; exponent > 0; --exponent)
            rest *= 10;
        MultiplyAdd(rest, 0);
    }

    void ShiftLeft(int bits)
    {
        const int words = bits / 32;
        const int rest = bits % 32;
        if (m_count == 0)
            return;
        m_words[m_count] = 0;
        for (int i = m_count; i >= 0; --i) {
            std::uint32_t word = m_words[i] << rest;
            if (rest && i > 0)
                word |= m_words[i - 1] >> (32 - rest);
            m_words[i + words] = word;
        }
        for (int i = 0; i < words; ++i)
            m_words[i] = 0;
        m_count += words + 1;
        Trim();
    }

    void ShiftRightByOne()
    {
        for (int i = 0; i < m_count; ++i) {
            m_words[i] >>= 1;
            if (i + 1 < m_count)
                m_words[i] |= m_words[i + 1] << 31;
        }
        Trim();
    }

    void Subtract(const CBigNumber& other)
    {
        std::int64_t borrow = 0;
        for (int i = 0; i < m_count; ++i) {
            std::int64_t difference =
                static_cast<std::int64_t>(m_words[i]) - borrow - (i < other.m_count ? other.m_words[i] : 0);
            borrow = difference < 0;
            m_words[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
        }
        Trim();
    }

    int Compare(const CBigNumber& other) const
    {
        if (m_count != other.m_count)
            return m_count < other.m_count ? -1 : 1;
        for (int i = m_count - 1; i >= 0; --i) {
            if (m_words[i] != other.m_words[i])
                return m_words[i] < other.m_words[i] ? -1 : 1;
        }
        return 0;
    }

    int BitLength() const
    {
        if (m_count == 0)
            return 0;
        int bits = 32 * (m_count - 1);
        for (std::uint32_t top = m_words[m_count - 1]; top; top >>= 1)
            ++bits;
        return bits;
    }

private:
    void Trim()
    {
        while (m_count > 0 && m_words[m_count - 1] == 0)
            --m_count;
    }

    std::uint32_t m_words[kWords + 2] = {};
    int m_count = 0;
};

// floor(numerator / denominator) for a quotient below 2^55; the remainder stays in numerator.
std::uint64_t Divide(CBigNumber& numerator, CBigNumber denominator)
{
    constexpr int kQuotientBits = 55;
    denominator.ShiftLeft(kQuotientBits - 1);
    std::uint64_t quotient = 0;
    for (int bit = kQuotientBits - 1; bit >= 0; --bit) {
        if (numerator.Compare(denominator) >= 0) {
            numerator.Subtract(denominator);
            quotient |= std::uint64_t{1} << bit;
        }
        denominator.ShiftRightByOne();
    }
    return quotient;
}

double FromBits(std::uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

constexpr std::uint64_t kHiddenBit = std::uint64_t{1} << 52;
constexpr int kLeastExponent = -1074;  // of the smallest subnormal, 2^-1074
constexpr int kGreatestExponent = 971; // of the largest double, (2^53 - 1) × 2^971

} // namespace

double DecimalToDouble(const unsigned char* digits, int count, bool moreDigits, std::int64_t exponent,
                       bool negative) noexcept
{
    const std::uint64_t sign = negative ? std::uint64_t{1} << 63 : 0;
    if (count == 0)
        return FromBits(sign);
    // The number lies in [10^(magnitude - 1), 10^magnitude).
    const std::int64_t magnitude = count + exponent;
    if (magnitude > 310)
        return FromBits(sign | std::uint64_t{0x7FF} << 52);
    if (magnitude < -324)
        return FromBits(sign);

    CBigNumber numerator;
    CBigNumber denominator;
    numerator.SetSmall(0);
    const int used = count < kSignificantDigits ? count : kSignificantDigits;
    for (int i = 0; i < used; ++i)
        numerator.MultiplyAdd(10, digits[i]);
    exponent += count - used;
    if (moreDigits || used < count) {
        // Any digit strictly between the given ones and the next step of the last one
        // rounds the same way, as no halfway point lies there.
        numerator.MultiplyAdd(10, 1);
        --exponent;
    }
    denominator.SetSmall(1);
    if (exponent >= 0)
        numerator.MultiplyByPowerOfTen(exponent);
    else
        denominator.MultiplyByPowerOfTen(-exponent);

    // The quotient numerator / (denominator × 2^binary) lies in [2^52, 2^54) for this first
    // guess, or below 2^52 for a subnormal.
    int binary = numerator.BitLength() - denominator.BitLength() - 53;
    if (binary < kLeastExponent)
        binary = kLeastExponent;
    for (;;) {
        CBigNumber remainder = numerator;
        CBigNumber divisor = denominator;
        if (binary < 0)
            remainder.ShiftLeft(-binary);
        else
            divisor.ShiftLeft(binary);
        std::uint64_t quotient = Divide(remainder, divisor);
        if (quotient >= 2 * kHiddenBit) {
            ++binary;
            continue;
        }
        remainder.ShiftLeft(1);
        const int half = remainder.Compare(divisor);
        if (half > 0 || (half == 0 && (quotient & 1)))
            ++quotient;
        if (quotient == 2 * kHiddenBit) {
            quotient = kHiddenBit;
            ++binary;
        }
        if (binary > kGreatestExponent)
            return FromBits(sign | std::uint64_t{0x7FF} << 52);
        if (quotient < kHiddenBit)
            return FromBits(sign | quotient);
        return FromBits(sign | static_cast<std::uint64_t>(binary - kLeastExponent + 1) << 52 | (quotient - kHiddenBit));
    }
}

} // namespace TObj
