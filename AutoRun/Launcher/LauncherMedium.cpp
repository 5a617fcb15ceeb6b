#include "LauncherMedium.h"

#include "ProgramPaths.h"

#include <dbt.h>

namespace LauncherMedium {

wchar_t Drive()
{
    const TObj::CUnicodeString folder = TObj::GetProgramFolder();
    const wchar_t letter = static_cast<wchar_t>(folder[0]);
    if (folder[1] != u':')
        return 0; // a network folder has no drive whose media could be removed
    return letter >= L'a' && letter <= L'z' ? static_cast<wchar_t>(letter - L'a' + L'A') : letter;
}

bool IsRemoval(WPARAM event, LPARAM data)
{
    if (event != DBT_DEVICEREMOVECOMPLETE || data == 0)
        return false;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (header->dbch_devicetype != DBT_DEVTYP_VOLUME)
        return false;
    const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(data);
    const wchar_t drive = Drive();
    return (volume->dbcv_flags & DBTF_MEDIA) != 0 && drive >= L'A' && drive <= L'Z' &&
           (volume->dbcv_unitmask & (1u << (drive - L'A'))) != 0;
}

} // namespace LauncherMedium
