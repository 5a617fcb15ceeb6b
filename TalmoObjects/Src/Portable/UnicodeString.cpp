#include "UnicodeString.h"

#include "CharClass.h"
#include "Errors.h"
#include "Utf8.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace TObj {

struct CUnicodeString::CBlock {
    std::atomic<std::int32_t> refCount;
    std::int32_t length;
    std::uint32_t allocatedBytes;
    WChar text[1];
};

namespace {

constexpr int kMaxLength = (std::numeric_limits<std::int32_t>::max() - 14) / 2;

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

std::size_t TerminatedLength(const WChar* text)
{
    std::size_t n = 0;
    while (text[n] != 0)
        ++n;
    return n;
}

int CheckedLength(std::size_t length)
{
    if (length > static_cast<std::size_t>(kMaxLength))
        ThrowMemoryException();
    return static_cast<int>(length);
}

} // namespace

CUnicodeString::CBlock* CUnicodeString::EmptyBlock() noexcept
{
    // Its count is never changed, so it can never be freed.
    static CBlock empty{{1}, 0, 0, {0}};
    return &empty;
}

CUnicodeString::CBlock* CUnicodeString::Allocate(int capacity)
{
    static_assert(offsetof(CBlock, text) == 12, "a block for n units is 2n + 14 bytes: 12 of header, n + 1 units");
    if (capacity < 0 || capacity > kMaxLength)
        ThrowMemoryException();
    const std::size_t bytes = 2 * static_cast<std::size_t>(capacity) + 14;
    void* memory = std::malloc(bytes < sizeof(CBlock) ? sizeof(CBlock) : bytes);
    if (memory == nullptr)
        ThrowMemoryException();
    CBlock* block = static_cast<CBlock*>(memory);
    new (&block->refCount) std::atomic<std::int32_t>(1);
    block->length = 0;
    block->allocatedBytes = static_cast<std::uint32_t>(bytes);
    block->text[0] = 0;
    return block;
}

void CUnicodeString::Release() noexcept
{
    if (m_block != EmptyBlock() && m_block->refCount.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        m_block->refCount.~atomic();
        std::free(m_block);
    }
    m_block = EmptyBlock();
}

CUnicodeString::CUnicodeString() noexcept : m_block(EmptyBlock()) {}

CUnicodeString::CUnicodeString(const WChar* text) : m_block(EmptyBlock())
{
    if (text != nullptr)
        Append(text, CheckedLength(TerminatedLength(text)));
}

CUnicodeString::CUnicodeString(const WChar* text, int length) : m_block(EmptyBlock())
{
    if (text != nullptr && length > 0)
        Append(text, length);
}

CUnicodeString::CUnicodeString(const char* utf8) : m_block(EmptyBlock())
{
    if (utf8 != nullptr)
        *this = DecodeUtf8(utf8, std::strlen(utf8));
}

#ifdef _WIN32
CUnicodeString::CUnicodeString(const wchar_t* text) : CUnicodeString(reinterpret_cast<const WChar*>(text)) {}
CUnicodeString::CUnicodeString(const wchar_t* text, int length)
    : CUnicodeString(reinterpret_cast<const WChar*>(text), length)
{}
#endif

CUnicodeString::CUnicodeString(const CUnicodeString& other) noexcept : m_block(other.m_block)
{
    if (m_block != EmptyBlock())
        m_block->refCount.fetch_add(1, std::memory_order_relaxed);
}

CUnicodeString::CUnicodeString(CUnicodeString&& other) noexcept : m_block(other.m_block)
{
    other.m_block = EmptyBlock();
}

CUnicodeString& CUnicodeString::operator=(const CUnicodeString& other) noexcept
{
    if (m_block != other.m_block) {
        CUnicodeString copy(other);
        std::swap(m_block, copy.m_block);
    }
    return *this;
}

CUnicodeString& CUnicodeString::operator=(CUnicodeString&& other) noexcept
{
    if (this != &other) {
        Release();
        std::swap(m_block, other.m_block);
    }
    return *this;
}

CUnicodeString::~CUnicodeString() { Release(); }

CUnicodeString CUnicodeString::Repeat(WChar ch, int count)
{
    CUnicodeString result;
    if (count > 0) {
        WChar* text = result.PrepareChange(count);
        std::fill(text, text + count, ch);
        result.SetLength(count);
    }
    return result;
}

int CUnicodeString::Length() const noexcept { return m_block->length; }
const WChar* CUnicodeString::Ptr() const noexcept { return m_block->text; }

WChar CUnicodeString::operator[](int index) const noexcept
{
    return (index >= 0 && index < Length()) ? m_block->text[index] : WChar(0);
}

void CUnicodeString::SetAt(int index, WChar ch)
{
    if (index < 0 || index >= Length())
        return;
    PrepareChange(Length())[index] = ch;
}

void CUnicodeString::Empty() noexcept { Release(); }

int CUnicodeString::ShareCountForTesting() const noexcept
{
    return m_block == EmptyBlock() ? 0 : m_block->refCount.load(std::memory_order_relaxed);
}

std::uint32_t CUnicodeString::AllocatedBytesForTesting() const noexcept { return m_block->allocatedBytes; }

WChar* CUnicodeString::PrepareChange(int newLength)
{
    if (newLength < 0 || newLength > kMaxLength)
        ThrowMemoryException();
    const int oldLength = Length();
    const std::uint64_t needed = 2 * static_cast<std::uint64_t>(newLength) + 14;
    const bool shared = m_block == EmptyBlock() || m_block->refCount.load(std::memory_order_acquire) > 1;
    const bool tooSmall = m_block->allocatedBytes < needed;
    if (!shared && !tooSmall)
        return m_block->text;

    int capacity;
    if (tooSmall)
        capacity = needed <= 128 ? newLength : std::max(newLength, oldLength + oldLength / 5);
    else
        capacity = std::max(oldLength, newLength); // a shared block: room for both lengths
    CBlock* fresh = Allocate(std::min(capacity, kMaxLength));
    std::memcpy(fresh->text, m_block->text, sizeof(WChar) * static_cast<std::size_t>(oldLength));
    fresh->length = oldLength;
    fresh->text[oldLength] = 0;
    Release();
    m_block = fresh;
    return m_block->text;
}

void CUnicodeString::SetLength(int length) noexcept
{
    if (m_block == EmptyBlock())
        return;
    m_block->length = length;
    m_block->text[length] = 0;
}

void CUnicodeString::Append(const WChar* text, int count)
{
    if (text == nullptr || count <= 0)
        return;
    const int oldLength = Length();
    if (count > kMaxLength - oldLength)
        ThrowMemoryException();
    // Appending a part of itself: keep the old block alive while a new one is filled.
    CUnicodeString keepAlive;
    if (text >= m_block->text && text <= m_block->text + oldLength)
        keepAlive = *this;
    WChar* target = PrepareChange(oldLength + count);
    std::memcpy(target + oldLength, text, sizeof(WChar) * static_cast<std::size_t>(count));
    SetLength(oldLength + count);
}

CUnicodeString& CUnicodeString::operator+=(const CUnicodeString& text)
{
    if (IsEmpty())
        return *this = text;
    Append(text.Ptr(), text.Length());
    return *this;
}

CUnicodeString& CUnicodeString::operator+=(const WChar* text)
{
    if (text != nullptr)
        Append(text, CheckedLength(TerminatedLength(text)));
    return *this;
}

CUnicodeString& CUnicodeString::operator+=(WChar ch)
{
    Append(&ch, 1);
    return *this;
}

CUnicodeString CUnicodeString::Mid(int start, int count) const
{
    const int length = Length();
    start = Clamp(start, 0, length);
    if (count < 0 || count > length - start)
        count = length - start;
    if (start == 0 && count == length)
        return *this;
    return CUnicodeString(Ptr() + start, count);
}

CUnicodeString CUnicodeString::Left(int count) const { return Mid(0, Clamp(count, 0, Length())); }

CUnicodeString CUnicodeString::Right(int count) const
{
    count = Clamp(count, 0, Length());
    return Mid(Length() - count, count);
}

int CUnicodeString::Find(WChar ch, int from) const noexcept
{
    for (int i = std::max(from, 0); i < Length(); ++i)
        if (m_block->text[i] == ch)
            return i;
    return -1;
}

int CUnicodeString::Find(const CUnicodeString& text, int from) const noexcept
{
    from = std::max(from, 0);
    const int length = Length();
    const int needle = text.Length();
    if (from > length || needle > length - from)
        return -1;
    for (int i = from; i <= length - needle; ++i)
        if (std::memcmp(m_block->text + i, text.Ptr(), sizeof(WChar) * static_cast<std::size_t>(needle)) == 0)
            return i;
    return -1;
}

int CUnicodeString::ReverseFind(WChar ch) const noexcept
{
    for (int i = Length() - 1; i >= 0; --i)
        if (m_block->text[i] == ch)
            return i;
    return -1;
}

bool CUnicodeString::StartsWith(const CUnicodeString& prefix) const noexcept
{
    return prefix.Length() <= Length() &&
           std::memcmp(Ptr(), prefix.Ptr(), sizeof(WChar) * static_cast<std::size_t>(prefix.Length())) == 0;
}

bool CUnicodeString::EndsWith(const CUnicodeString& suffix) const noexcept
{
    return suffix.Length() <= Length() && std::memcmp(Ptr() + Length() - suffix.Length(), suffix.Ptr(),
                                                      sizeof(WChar) * static_cast<std::size_t>(suffix.Length())) == 0;
}

void CUnicodeString::Replace(int start, int count, const CUnicodeString& with)
{
    const int length = Length();
    start = Clamp(start, 0, length);
    count = Clamp(count, 0, length - start);
    const CUnicodeString insert(with); // stays valid even if `with` is this string
    const int insertLength = insert.Length();
    if (insertLength > kMaxLength - (length - count))
        ThrowMemoryException();
    const int newLength = length - count + insertLength;
    // When `insert` shares this block, the change below works on a private copy.
    WChar* text = PrepareChange(std::max(newLength, length));
    std::memmove(text + start + insertLength, text + start + count,
                 sizeof(WChar) * static_cast<std::size_t>(length - start - count));
    std::memcpy(text + start, insert.Ptr(), sizeof(WChar) * static_cast<std::size_t>(insertLength));
    SetLength(newLength);
}

int CUnicodeString::ReplaceAll(const CUnicodeString& what, const CUnicodeString& with)
{
    if (what.IsEmpty())
        return 0;
    int replaced = 0;
    CUnicodeString result;
    int from = 0;
    for (int at = Find(what); at >= 0; at = Find(what, from)) {
        result.Append(Ptr() + from, at - from);
        result += with;
        from = at + what.Length();
        ++replaced;
    }
    if (replaced > 0) {
        result.Append(Ptr() + from, Length() - from);
        *this = result;
    }
    return replaced;
}

void CUnicodeString::Delete(int start, int count) { Replace(start, count, CUnicodeString()); }

void CUnicodeString::TrimLeft()
{
    int skip = 0;
    while (skip < Length() && IsWhiteSpace(m_block->text[skip]))
        ++skip;
    if (skip > 0)
        *this = Mid(skip);
}

void CUnicodeString::TrimRight()
{
    int length = Length();
    while (length > 0 && IsWhiteSpace(m_block->text[length - 1]))
        --length;
    if (length < Length())
        *this = Left(length);
}

void CUnicodeString::Trim()
{
    TrimRight();
    TrimLeft();
}

CUnicodeString CUnicodeString::Trimmed() const
{
    CUnicodeString copy(*this);
    copy.Trim();
    return copy;
}

int CUnicodeString::Compare(const CUnicodeString& other) const noexcept
{
    const int common = std::min(Length(), other.Length());
    for (int i = 0; i < common; ++i)
        if (Ptr()[i] != other.Ptr()[i])
            return Ptr()[i] < other.Ptr()[i] ? -1 : 1;
    return Length() == other.Length() ? 0 : (Length() < other.Length() ? -1 : 1);
}

int CUnicodeString::CompareNoCase(const CUnicodeString& other) const noexcept
{
    const int common = std::min(Length(), other.Length());
    for (int i = 0; i < common; ++i) {
        const WChar a = FoldAsciiCase(Ptr()[i]);
        const WChar b = FoldAsciiCase(other.Ptr()[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    return Length() == other.Length() ? 0 : (Length() < other.Length() ? -1 : 1);
}

bool operator==(const CUnicodeString& a, const CUnicodeString& b) noexcept
{
    return a.m_block == b.m_block || a.Compare(b) == 0;
}

std::vector<char> CUnicodeString::ToUtf8Bytes() const { return EncodeUtf8(Ptr(), static_cast<std::size_t>(Length())); }

CUnicodeString operator+(const CUnicodeString& a, const CUnicodeString& b)
{
    CUnicodeString result(a);
    result += b;
    return result;
}

CUnicodeString operator+(const CUnicodeString& a, const WChar* b)
{
    CUnicodeString result(a);
    result += b;
    return result;
}

CUnicodeString operator+(const WChar* a, const CUnicodeString& b)
{
    CUnicodeString result(a);
    result += b;
    return result;
}

CUnicodeString operator+(const CUnicodeString& a, WChar b)
{
    CUnicodeString result(a);
    result += b;
    return result;
}

} // namespace TObj
