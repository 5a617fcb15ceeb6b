#include "AutoRunSectionCheck.h"

#include "AutoRunStrings.h"
#include "CharClass.h"
#include "FileSystem.h"
#include "IniFile.h"
#include "PictureProbe.h"

using TObj::CUnicodeString;

namespace AutoRunSectionCheck {

namespace {

const CUnicodeString kOpen(u"open"), kShellExecute(u"shellexecute"), kIcon(u"icon"), kLabel(u"label");

constexpr auto Quoted = &CPageFinding::Quoted;

// Windows takes the program of "open=" up to the first blank, or between quotes.
CUnicodeString ProgramOf(const CUnicodeString& command)
{
    const CUnicodeString text = command.Trimmed();
    if (text.StartsWith(CUnicodeString(u"\""))) {
        const int end = text.Find(u'"', 1);
        return end < 0 ? text.Mid(1) : text.Mid(1, end - 1);
    }
    for (int i = 0; i < text.Length(); ++i)
        if (TObj::IsWhiteSpace(text[i]))
            return text.Left(i);
    return text;
}

class CSectionCheck {
public:
    CSectionCheck(TObj::CIniFile& root, const CUnicodeString& rootPath, const CLoadEnvironment& environment)
        : m_root(root), m_rootPath(rootPath), m_environment(environment)
    {}

    std::vector<CPageFinding> Run()
    {
        checkProgram();
        checkIcon();
        if (m_root.GetValue(kSection(), kLabel, CUnicodeString()).Trimmed().IsEmpty())
            add(kLabel, CUnicodeString(u"is not given, so Explorer names the drive by its volume name alone"));
        if (!m_findings.empty())
            add(CUnicodeString(),
                CUnicodeString(u"Windows 7 and later start no program from a USB stick, whatever \"open=\" says: "
                               u"users of a stick start the launcher by hand"));
        return std::move(m_findings);
    }

private:
    static const CUnicodeString& kSection() { return AutoRunStrings::kAutoRunSection; }

    void add(const CUnicodeString& key, const CUnicodeString& text)
    {
        const int line = key.IsEmpty() ? 0 : m_root.LineOf(kSection(), key);
        m_findings.push_back(CPageFinding::At(m_rootPath, line, kSection(), key, text));
    }

    CUnicodeString onDisc(const CUnicodeString& name) const
    {
        return TObj::CombineAndNormalize(m_environment.launcherFolder, name);
    }

    void checkProgram()
    {
        const CUnicodeString key = m_root.HasKey(kSection(), kOpen)           ? kOpen
                                   : m_root.HasKey(kSection(), kShellExecute) ? kShellExecute
                                                                              : CUnicodeString();
        const CUnicodeString launcher = onDisc(m_environment.launcherFileName);
        if (key.IsEmpty()) {
            add(key, u"has no \"open=\", so a disc does not start the launcher; write open=" +
                         m_environment.launcherFileName);
            return;
        }
        const CUnicodeString program = ProgramOf(m_root.GetValue(kSection(), key, CUnicodeString()));
        if (program.IsEmpty()) {
            add(key, u"names no program, so a disc does not start the launcher; write " + key + u"=" +
                         m_environment.launcherFileName);
            return;
        }
        const CUnicodeString path = onDisc(program);
        if (path.EqualsNoCase(launcher))
            return;
        if (!TObj::FileExists(path))
            add(key,
                u"names " + Quoted(path) + u", which is not on the disc, instead of the launcher " + Quoted(launcher));
        else
            add(key, u"starts " + Quoted(path) + u" instead of the launcher " + Quoted(launcher));
    }

    void checkIcon()
    {
        const CUnicodeString value = m_root.GetValue(kSection(), kIcon, CUnicodeString()).Trimmed();
        if (value.IsEmpty()) {
            add(kIcon, CUnicodeString(u"is not given, so Explorer shows the drive's own icon, not the disc's"));
            return;
        }
        // "file,index", where the file's name may itself hold a comma.
        CUnicodeString file = value;
        int index = 0;
        const int comma = value.ReverseFind(u',');
        std::int32_t number = 0;
        if (comma >= 0 && value.Mid(comma + 1).ToInt(number)) {
            file = value.Left(comma).Trimmed();
            index = number;
        }
        const CUnicodeString path = onDisc(file);
        if (!TObj::FileExists(path))
            add(kIcon,
                u"names " + Quoted(path) + u", which is not on the disc, so Explorer shows the drive's own icon");
        else if (!PictureProbe::HasIconAt(path, index))
            add(kIcon, u"names " + Quoted(path) + CUnicodeString::Format(u", which holds no icon at %d", index) +
                           u", so Explorer shows the drive's own icon");
    }

    TObj::CIniFile& m_root;
    const CUnicodeString& m_rootPath;
    const CLoadEnvironment& m_environment;
    std::vector<CPageFinding> m_findings;
};

} // namespace

std::vector<CPageFinding> Check(TObj::CIniFile& root, const CUnicodeString& rootPath,
                                const CLoadEnvironment& environment)
{
    if (!root.HasSection(AutoRunStrings::kAutoRunSection))
        return {};
    return CSectionCheck(root, rootPath, environment).Run();
}

} // namespace AutoRunSectionCheck
