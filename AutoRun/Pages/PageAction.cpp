#include "PageAction.h"

#include "AutoRunStrings.h"
#include "FileSystem.h"
#include "PageRules.h"

using TObj::CUnicodeString;

CPageAction CPageAction::Of(const CUnicodeString& action)
{
    // Matched with their case, in this order: "$FileURL$x" is a file URL, not a page.
    if (action.IsEmpty())
        return {EActionKind::None, {}};
    if (action == AutoRunStrings::kExitAction)
        return {EActionKind::Exit, {}};
    if (action == AutoRunStrings::kBackAction)
        return {EActionKind::Back, {}};
    if (action == AutoRunStrings::kCloseAction)
        return {EActionKind::Close, {}};
    if (action == AutoRunStrings::kFolderAction)
        return {EActionKind::Folder, {}};
    if (action.StartsWith(AutoRunStrings::kFileUrlPrefix))
        return {EActionKind::FileUrl, action.Mid(AutoRunStrings::kFileUrlPrefix.Length())};
    if (action.StartsWith(AutoRunStrings::kExtCommandPrefix))
        return {EActionKind::ExtCommand, action.Mid(AutoRunStrings::kExtCommandPrefix.Length())};
    if (action[0] == u'$')
        return {EActionKind::Page, action.Mid(1)};
    if (PageRules::IsWebAddress(action))
        return {EActionKind::WebAddress, action};
    return {EActionKind::File, action};
}

CUnicodeString CPageAction::PathBelow(const CUnicodeString& launcherFolder) const
{
    return TObj::CombineAndNormalize(launcherFolder, target);
}
