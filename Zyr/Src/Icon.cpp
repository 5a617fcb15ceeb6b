#include "Icon.h"

#include "Errors.h"
#include "FileSystem.h"
#include "LastErrorException.h"
#include "ReportPlaces.h"
#include "ResourceModules.h"
#include "ZyrFailure.h"

namespace ZYR {

void CIcon::Attach(HICON icon)
{
    if (!TOBJ_ASSERT(IsEmpty(), Places::kIconAttachedTwice) || !TOBJ_ASSERT(icon != nullptr, Places::kNullIcon))
        return;
    m_icon.Reset(icon);
}

void CIcon::LoadIconW(const wchar_t* name, int width, int height)
{
    if (!TOBJ_ASSERT(IsEmpty(), Places::kIconLoadedTwice))
        return;
    const HMODULE module = TObj::FindResourceModule(RT_GROUP_ICON, name);
    if (!TOBJ_ASSERT(module != nullptr, Places::kIconResourceMissing))
        return;
    const HANDLE icon = LoadImageW(module, name, IMAGE_ICON, width, height, 0);
    ZYR_CHECK(icon != nullptr, Places::kLoadIconW);
    m_icon.Reset(static_cast<HICON>(icon));
}

void CIcon::LoadStandardSize(const wchar_t* name)
{
    LoadIconW(name, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
}

void CIcon::LoadSmallSize(const wchar_t* name)
{
    LoadIconW(name, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
}

void CIcon::LoadFromFile(const TObj::CUnicodeString& path, int width, int height)
{
    if (!TOBJ_ASSERT(IsEmpty(), Places::kIconLoadedTwice))
        return;
    const HANDLE icon = LoadImageW(nullptr, path.W(), IMAGE_ICON, width, height, LR_LOADFROMFILE);
    if (icon == nullptr) {
        const DWORD code = GetLastError();
        if (code == ERROR_NOT_ENOUGH_MEMORY)
            TObj::ThrowMemoryException();
        TObj::ThrowLastErrorException(code);
        return;
    }
    m_icon.Reset(static_cast<HICON>(icon));
}

bool CIcon::HasIconSignature(const TObj::CUnicodeString& path)
{
    unsigned char directory[6] = {0}; // reserved 0, type 1 (icon), count
    return TObj::ReadFileStart(path, directory, sizeof directory) == sizeof directory && directory[0] == 0 &&
           directory[1] == 0 && directory[2] == 1 && directory[3] == 0 && (directory[4] != 0 || directory[5] != 0);
}

} // namespace ZYR
