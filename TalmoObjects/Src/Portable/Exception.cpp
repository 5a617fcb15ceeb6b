#include "Exception.h"

#include "MessageHandler.h"

#include <cstdlib>
#include <new>

namespace TObj {

namespace {
alignas(std::max_align_t) unsigned char g_memoryExceptionReserve[64];
bool g_reserveInUse = false;

const CUnicodeString& MemoryText()
{
    static const CUnicodeString text(u"Not enough memory!");
    return text;
}

// Built while static objects are constructed, before memory can run out.
const bool g_memoryTextReady = !MemoryText().IsEmpty();
} // namespace

void CException::Report() const { ShowMessage(GetMessageText(), 0); }

CUnicodeString CMemoryException::GetMessageText() const { return MemoryText(); }

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

} // namespace TObj
