#include "errors.h"

#include <cstdlib>
#include <new>

namespace TObj {

namespace {
alignas(std::max_align_t) unsigned char g_memoryExceptionReserve[64];
bool g_reserveInUse = false;
} // namespace

CUnicodeString CMemoryException::GetMessageText() const
{
    // A literal needs no allocation only while it is empty, so the text is built once, early.
    static const CUnicodeString text(u"Not enough memory!");
    return text;
}

void* CMemoryException::operator new(std::size_t size)
{
    if (void* block = std::malloc(size))
        return block;
    static_assert(sizeof(CMemoryException) <= sizeof(g_memoryExceptionReserve), "reserve too small");
    if (g_reserveInUse || size > sizeof(g_memoryExceptionReserve))
        std::abort();
    g_reserveInUse = true;
    return g_memoryExceptionReserve;
}

void CMemoryException::operator delete(void* block) noexcept
{
    if (block == g_memoryExceptionReserve)
        g_reserveInUse = false;
    else
        std::free(block);
}

void ThrowMemoryException()
{
    throw new CMemoryException;
}

namespace {
// Builds the memory text at start-up, before memory can run out.
const bool g_memoryTextReady = !CMemoryException().GetMessageText().IsEmpty();
} // namespace

} // namespace TObj
