#include "SettingsDump.h"

#include "TestText.h"

#include <cstdio>
#include <sstream>

namespace {

class CDump {
public:
    explicit CDump(const std::string& discFolder) : m_disc(discFolder) {}

    std::string Text(const TObj::CUnicodeString& text) const
    {
        std::string result = "\"";
        for (const char c : Replaced(text.ToUtf8(), m_disc, "<disc>"))
            result += c == '\n' ? std::string("\\n") : std::string(1, c);
        return result + "\"";
    }
    static std::string Color(std::uint32_t color)
    {
        if (color == kNoColor)
            return "none";
        char hex[16];
        std::snprintf(hex, sizeof hex, "%06X", static_cast<unsigned>(color));
        return hex;
    }
    static std::string Rect(const CPageRect& r)
    {
        std::ostringstream out;
        out << "[" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "]";
        return out.str();
    }
    // Decoded apart, so that the dump neither decodes a picture that waits for its first
    // draw nor raises a failure the reading did not.
    static std::string Picture(const std::shared_ptr<const CCommandPicture>& file)
    {
        ZYR::CBitmap picture;
        if (file == nullptr)
            return "none";
        if (!picture.TryLoadFromFile(file->Path()))
            return "undecodable";
        const SIZE size = picture.Size();
        return std::to_string(size.cx) + "x" + std::to_string(size.cy);
    }

private:
    std::string m_disc;
};

void DumpCommand(std::ostream& out, const CDump& d, const CCommandSettings& c)
{
    const char* states[] = {"normal", "hover", "click"};
    out << "  command " << c.number << " " << d.Text(c.text) << (c.hidden ? ", hidden" : "")
        << (c.disabled ? ", disabled" : "") << "\n";
    out << "    rect " << d.Rect(c.rect) << ", text area " << c.textArea.left << " " << c.textArea.top << " "
        << c.textArea.right << " " << c.textArea.bottom << (c.centered ? ", centred" : "") << "\n";
    out << "    font " << d.Text(c.fontName) << " size " << c.fontSize << " hint size " << c.hintFontSize
        << (c.underlined ? " underlined" : "") << ", colours selected " << d.Color(c.selectedColor) << " not selected "
        << d.Color(c.notSelectedColor) << "\n";
    out << "    action " << d.Text(c.action) << " parameters " << d.Text(c.actionParameters) << "\n";
    out << "    hint " << d.Text(c.hint) << " margin " << c.hintMargin << ", comment " << d.Text(c.comment)
        << ", tooltip " << d.Text(c.tooltip) << "\n";
    if (c.hasPictures)
        out << "    pictures " << d.Picture(c.pictures[0]) << " " << d.Picture(c.pictures[1]) << " "
            << d.Picture(c.pictures[2]) << "\n";
    if (c.hasColors)
        out << "    colours " << d.Color(c.colors[0]) << " " << d.Color(c.colors[1]) << " " << d.Color(c.colors[2])
            << "\n";
    out << "    border " << c.borderWidth;
    for (int state = 0; state < 3; ++state)
        out << " " << states[state] << " " << d.Color(c.borderColors[state]);
    out << "\n";
}

} // namespace

std::string DumpSettings(const CSettings& settings, const std::string& discFolder)
{
    const CDump d(discFolder);
    std::ostringstream out;
    out << "  page file " << d.Text(settings.PageFilePath()) << ", language " << settings.Language() << ", start "
        << d.Text(settings.StartWindowName()) << ", icon " << d.Text(settings.IconPath()) << "\n";
    for (int i = 0; i < settings.WindowCount(); ++i) {
        const CWindowSettings& w = *settings.Window(i);
        out << "page " << d.Text(w.name) << "\n";
        out << "  background " << d.Text(w.backgroundPath) << " size " << w.backgroundSize.width << "x"
            << w.backgroundSize.height << " colour " << d.Color(w.backgroundColor) << ", title " << d.Text(w.title)
            << "\n";
        out << "  font " << d.Text(w.fontName) << " size " << w.fontSize << (w.underlined ? " underlined" : "")
            << ", ratio " << w.fontRatio << ", space " << w.spaceRatio << "\n";
        out << "  colours selected " << d.Color(w.selectedColor) << " not selected " << d.Color(w.notSelectedColor)
            << " comment " << d.Color(w.commentColor) << " unusable " << d.Color(w.unusableColor) << "\n";
        out << "  comment font " << d.Text(w.commentFontName) << " size " << w.commentFontSize << ", rect "
            << d.Rect(w.commentRect) << ", default " << d.Text(w.commentDefault) << "\n";
        for (const CCommandSettings* command : w.commands)
            DumpCommand(out, d, *command);
    }
    return out.str();
}
