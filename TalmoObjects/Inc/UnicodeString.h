// UnicodeString.h
// Holds:
//  - TObj::WChar, the UTF-16 code unit of every text in the libraries and the launcher;
//  - TObj::CUnicodeString, one shared, atomically counted text block, copied only
//    before a change, with its searching, trimming, case rules and conversions
//    to and from numbers, booleans and decimals.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#ifdef _WIN32
static_assert(sizeof(wchar_t) == 2, "Windows wide characters are UTF-16 code units");
#endif

namespace TObj {

using WChar = char16_t;

class CUnicodeString {
public:
    CUnicodeString() noexcept;
    CUnicodeString(const WChar* text);
    // Copies exactly `length` units (a negative length counts as 0) and adds its own terminator.
    CUnicodeString(const WChar* text, int length);
    // Narrow text is taken as UTF-8; malformed bytes become U+FFFD.
    explicit CUnicodeString(const char* utf8);
#ifdef _WIN32
    CUnicodeString(const wchar_t* text);
    CUnicodeString(const wchar_t* text, int length);
    const wchar_t* W() const noexcept { return reinterpret_cast<const wchar_t*>(Ptr()); }
#endif
    CUnicodeString(const CUnicodeString& other) noexcept;
    CUnicodeString(CUnicodeString&& other) noexcept;
    CUnicodeString& operator=(const CUnicodeString& other) noexcept;
    CUnicodeString& operator=(CUnicodeString&& other) noexcept;
    ~CUnicodeString();

    static CUnicodeString Repeat(WChar ch, int count);
    // A text written in place: `write(units)` fills at most `capacity` units and returns
    // how many it wrote. Decoders of whole files use it, so a large text is not copied
    // out of a buffer of its own once more.
    template <class FWrite>
    static CUnicodeString Written(int capacity, FWrite&& write)
    {
        CUnicodeString result;
        if (capacity > 0) {
            const int length = write(result.PrepareChange(capacity));
            result.SetLength(length < 0 ? 0 : (length > capacity ? capacity : length));
        }
        return result;
    }

    int Length() const noexcept;
    bool IsEmpty() const noexcept { return Length() == 0; }
    // Always terminated; valid until the string changes or dies.
    const WChar* Ptr() const noexcept;
    // Out-of-range positions read as 0, like the terminator.
    WChar operator[](int index) const noexcept;
    void SetAt(int index, WChar ch);
    void Empty() noexcept;

    CUnicodeString& operator+=(const CUnicodeString& text);
    CUnicodeString& operator+=(const WChar* text);
    CUnicodeString& operator+=(WChar ch);
    void Append(const WChar* text, int count);

    // Positions and counts are clamped to the text, so no call reads outside it.
    CUnicodeString Mid(int start, int count = -1) const;
    CUnicodeString Left(int count) const;
    CUnicodeString Right(int count) const;
    int Find(WChar ch, int from = 0) const noexcept;
    int Find(const CUnicodeString& text, int from = 0) const noexcept;
    int ReverseFind(WChar ch) const noexcept;
    bool StartsWith(const CUnicodeString& prefix) const noexcept;
    bool EndsWith(const CUnicodeString& suffix) const noexcept;
    void Replace(int start, int count, const CUnicodeString& with);
    int ReplaceAll(const CUnicodeString& what, const CUnicodeString& with);
    void Delete(int start, int count);
    void TrimLeft();
    void TrimRight();
    void Trim();
    CUnicodeString Trimmed() const;

    int Compare(const CUnicodeString& other) const noexcept;
    // Folds A-Z only, so the result never depends on the user's locale.
    int CompareNoCase(const CUnicodeString& other) const noexcept;
    bool EqualsNoCase(const CUnicodeString& other) const noexcept { return CompareNoCase(other) == 0; }
    friend bool operator==(const CUnicodeString& a, const CUnicodeString& b) noexcept;
    friend bool operator!=(const CUnicodeString& a, const CUnicodeString& b) noexcept { return !(a == b); }
    friend bool operator<(const CUnicodeString& a, const CUnicodeString& b) noexcept { return a.Compare(b) < 0; }

    // printf-style: flags, width, precision and the conversions d i u x X o c s p %.
    // %s takes a WChar text, %hs a narrow (UTF-8) one; lengths h hh l ll z j t I32 I64.
    static CUnicodeString Format(const WChar* format, ...);

    static CUnicodeString FromInt(std::int64_t value, int base = 10);
    static CUnicodeString FromUInt(std::uint64_t value, int base = 10);
    // 17 significant digits, shortest general form, "." whatever the locale.
    static CUnicodeString FromDouble(double value);

    // The parsers leave `out` unchanged and answer false on any failure.
    bool ToInt(std::int32_t& out) const noexcept;
    bool ToInt64(std::int64_t& out) const noexcept;
    bool ToHex(std::uint32_t& out) const noexcept;
    bool ToBool(bool& out) const noexcept;
    // Accepts "." or "," as the one decimal separator; rejects overflow, NaN and infinity.
    bool ToDouble(double& out) const noexcept;

    // The UTF-8 bytes, without a terminator; unpaired surrogates become U+FFFD.
    std::vector<char> ToUtf8Bytes() const;
    // The same as a string, for callers that want one: the libraries themselves use the
    // bytes, so a program does not link the run time's string for them.
    std::string ToUtf8() const
    {
        const std::vector<char> bytes = ToUtf8Bytes();
        return std::string(bytes.begin(), bytes.end());
    }

    // Introspection for tests of the sharing and growth rules.
    int ShareCountForTesting() const noexcept;
    std::uint32_t AllocatedBytesForTesting() const noexcept;

private:
    struct CBlock;
    explicit CUnicodeString(CBlock* block) noexcept : m_block(block) {}
    static CBlock* Allocate(int capacity);
    static CBlock* EmptyBlock() noexcept;
    void Release() noexcept;
    // Makes the block private and able to hold `newLength` units; returns the text.
    WChar* PrepareChange(int newLength);
    void SetLength(int length) noexcept;

    CBlock* m_block; // owned share of a counted block; the empty block is never freed
};

CUnicodeString operator+(const CUnicodeString& a, const CUnicodeString& b);
CUnicodeString operator+(const CUnicodeString& a, const WChar* b);
CUnicodeString operator+(const WChar* a, const CUnicodeString& b);
CUnicodeString operator+(const CUnicodeString& a, WChar b);

} // namespace TObj
