#include "CmdTarget.h"

namespace ZYR {

const CMessageMap* CCmdTarget::ThisMessageMap()
{
    static const CMessageMapEntry entries[] = {{0, 0, 0, 0, kSigEnd, nullptr, nullptr}};
    static const CMessageMap map = {nullptr, entries};
    return &map;
}

const CMessageMapEntry* FindMessageEntry(const CMessageMap* map, UINT message)
{
    for (; map != nullptr; map = map->base != nullptr ? map->base() : nullptr)
        for (const CMessageMapEntry* entry = map->entries; entry->signature != kSigEnd; ++entry) {
            if (message >= 0xC000 && entry->message == 0xC000 && entry->registered != nullptr &&
                *entry->registered == message)
                return entry;
            if (message < 0xC000 && entry->message == message)
                return entry;
        }
    return nullptr;
}

bool CCmdTarget::OnThreadMessage(const MSG& message)
{
    const CMessageMapEntry* entry = FindMessageEntry(GetMessageMap(), message.message);
    if (entry == nullptr)
        return false;
    entry->handler(*this, message.wParam, message.lParam);
    return true;
}

} // namespace ZYR
