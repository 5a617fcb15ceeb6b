#include "TestDisc.h"
#include "TestText.h"

#include <gtest/gtest.h>

using TObj::CUnicodeString;

namespace {
void ExpectRect(const CPageRect& expected, const CPageRect& actual, const char* what)
{
    EXPECT_TRUE(expected == actual) << what << ": " << actual.left << ", " << actual.top << ", " << actual.right << ", "
                                    << actual.bottom;
}
} // namespace

TEST(SettingsValues, EveryDefault)
{
    CTestDisc disc;
    disc.File("Autorun.inf", "[Main]\nBackgroundSize=[300, 200]\nBackgroundColor=102030\nCommand1_Text=Only text\n"
                             "Command1_Rect=[0, 0, 100, 20]\n");
    ASSERT_EQ("", disc.Load());
    const CWindowSettings& w = disc.Window("Main");
    EXPECT_EQ(0x102030u, w.backgroundColor);
    EXPECT_TRUE(w.backgroundPath.IsEmpty());
    EXPECT_TRUE(w.title.IsEmpty() && w.fontName.IsEmpty() && w.commentFontName.IsEmpty() && w.commentDefault.IsEmpty());
    EXPECT_FALSE(w.underlined);
    EXPECT_EQ(0u, w.selectedColor | w.notSelectedColor | w.commentColor | w.unusableColor);
    EXPECT_EQ(0, w.fontSize);
    EXPECT_EQ(1.8, w.fontRatio);
    EXPECT_EQ(0.6, w.spaceRatio);
    EXPECT_EQ(0, w.commentFontSize);
    ExpectRect(CPageRect{}, w.commentRect, "comment");
    ASSERT_EQ(1, w.commands.Count());
    const CCommandSettings& c = *w.commands[0];
    EXPECT_EQ(U("Only text"), c.text);
    EXPECT_TRUE(c.hint.IsEmpty() && c.comment.IsEmpty() && c.action.IsEmpty() && c.actionParameters.IsEmpty() &&
                c.tooltip.IsEmpty() && c.fontName.IsEmpty());
    EXPECT_EQ(5, c.hintMargin);
    EXPECT_FALSE(c.hasPictures || c.hasColors || c.centered || c.underlined);
    EXPECT_EQ(-1, c.borderWidth);
    EXPECT_EQ(kNoColor, c.colors[0]);
    EXPECT_EQ(0u, c.borderColors[0]);
    EXPECT_EQ(U("Main"), disc.Settings().StartWindowName());
    EXPECT_EQ(0, disc.Settings().Language());
    EXPECT_TRUE(disc.Settings().GetIcon().IsEmpty());
}

TEST(SettingsValues, EveryKey)
{
    CTestDisc disc;
    disc.Picture("main.bmp", 320, 240).Picture("n.bmp").Picture("h.bmp").Picture("c.bmp").Picture("app.ico");
    disc.File("Autorun.inf",
              "[Common]\nIcon=app.ico\n"
              "[Main]\nBackground=main.bmp\nTitle=Orvex Suite\nFontName=Tahoma\nFontCommentName=Verdana\n"
              "FontUnderlined=yes\nFontSelectedColor=0000FF\nFontNotSelectedColor=00FF00\nFontCommentColor=FF0000\n"
              "FontUnusableColor=808080\nFontSize=12rel\nFontRatio=2,5\nSpaceRatio=0.5\nFontCommentSize=10pt\n"
              "CommentRect=[10, 200, 310, 230]\nCommentDefault=Line one\\nLine two\nCommandsRect=[20, 40, 220, 999]\n"
              "Command1_Text=Install\nCommand1_Hint=Second\\nline\nCommand1_HintMargin=7\nCommand1_Comment=Installs\n"
              "Command1_Action=setup.exe\nCommand1_Action64=setup64.exe\nCommand1_ActionParameters=/quiet\n"
              "Command1_LeftMargin=4\nCommand1_RightMargin=6\nCommand1_TopMargin=2\nCommand1_BottomMargin=3\n"
              "Command1_FontName=Arial\nCommand1_FontSize=20\nCommand1_HintFontSize=9pt\nCommand1_FontUnderlined=off\n"
              "Command1_FontSelectedColor=111111\nCommand1_FontNotSelectedColor=222222\n"
              "Command1_BackgroundImage=n.bmp\nCommand1_BackgroundHoverImage=h.bmp\nCommand1_BackgroundClickImage=c.bmp\n"
              "Command1_TextOrientation=CENTER\nCommand1_Tooltip=Tip\\nTwo\n"
              "Command2_Rect=[20, 100, 220, 130]\nCommand2_BackgroundColor=445566\nCommand2_BackgroundHoverColor=778899\n"
              "Command2_BackgroundClickColor=AABBCC\nCommand2_BorderWidth=2\nCommand2_BorderColor=010203\n"
              "Command2_BorderHoverColor=040506\nCommand2_BorderClickColor=070809\nCommand2_TextOrientation=centre\n");
    disc.environment.dpiY = 144;
    ASSERT_EQ("", disc.Load());
    const CWindowSettings& w = disc.Window("Main");
    EXPECT_EQ(disc.Path("main.bmp"), w.backgroundPath);
    EXPECT_EQ(U("Orvex Suite"), w.title);
    EXPECT_EQ(U("Verdana"), w.commentFontName);
    EXPECT_TRUE(w.underlined);
    EXPECT_EQ(0x0000FFu, w.selectedColor);
    EXPECT_EQ(0x808080u, w.unusableColor);
    EXPECT_EQ(18, w.fontSize);         // 12rel at 144 dots per inch
    EXPECT_EQ(2.5, w.fontRatio);
    EXPECT_EQ(-20, w.commentFontSize); // 10pt at 144 dots per inch
    EXPECT_EQ(U("Line one\nLine two"), w.commentDefault);
    EXPECT_EQ(disc.Path("app.ico"), disc.Settings().GetIcon());
    ASSERT_EQ(2, w.commands.Count());

    const CCommandSettings& one = *w.commands[0];
    ExpectRect(CPageRect{20, 40, 220, 85}, one.rect, "default rect: height 18 x 2.5");
    EXPECT_EQ(4, one.textArea.left);
    EXPECT_EQ(2, one.textArea.top);
    EXPECT_EQ(200 - 4 - 6, one.textArea.right);
    EXPECT_EQ(45 - 2 - 3, one.textArea.bottom);
    EXPECT_EQ(U("Second\nline"), one.hint);
    EXPECT_EQ(7, one.hintMargin);
    EXPECT_EQ(U("setup.exe"), one.action); // 32-bit Windows
    EXPECT_EQ(U("/quiet"), one.actionParameters);
    EXPECT_EQ(U("Arial"), one.fontName);
    EXPECT_EQ(20, one.fontSize);
    EXPECT_EQ(-18, one.hintFontSize);
    EXPECT_FALSE(one.underlined);
    EXPECT_EQ(0x111111u, one.selectedColor);
    EXPECT_EQ(0x222222u, one.notSelectedColor);
    EXPECT_TRUE(one.hasPictures);
    EXPECT_FALSE(one.pictures[0].IsEmpty() || one.pictures[1].IsEmpty() || one.pictures[2].IsEmpty());
    EXPECT_TRUE(one.centered);
    EXPECT_EQ(U("Tip\nTwo"), one.tooltip);

    const CCommandSettings& two = *w.commands[1];
    ExpectRect(CPageRect{20, 100, 220, 130}, two.rect, "given rect");
    EXPECT_TRUE(two.text.IsEmpty());
    EXPECT_TRUE(two.hasColors);
    EXPECT_EQ(0x778899u, two.colors[1]);
    EXPECT_EQ(0xAABBCCu, two.colors[2]);
    EXPECT_EQ(2, two.borderWidth);
    EXPECT_EQ(0x070809u, two.borderColors[2]);
    EXPECT_FALSE(two.centered);
    EXPECT_EQ(0x808080u, two.notSelectedColor); // no action: the unusable colour
    EXPECT_EQ(U("Tahoma"), two.fontName);
}

TEST(SettingsValues, DefaultsThatFollowOtherKeys)
{
    CTestDisc disc;
    disc.Picture("n.bmp").Picture("h.bmp");
    disc.File("Autorun.inf",
              "[Main]\nBackgroundSize=[1, 1]\nBackgroundColor=0\nFontName=Tahoma\nFontSize=12pt\nFontUnderlined=1\n"
              "FontNotSelectedColor=ABCDEF\nCommandsRect=[0, 10, 100, 0]\n"
              "Command1_Text=a\nCommand1_Action=x\nCommand1_BackgroundImage=n.bmp\nCommand1_BackgroundHoverImage=h.bmp\n"
              "Command1_FontName=\n"
              "Command2_Text=b\nCommand2_Rect=[0, 50, 100, 60]\nCommand2_BackgroundColor=12\nCommand2_BorderWidth=1\n"
              "Command2_BorderColor=34\nCommand2_BorderHoverColor=zz\n"
              "Command3_Text=c\nCommand3_FontSize=nonsense\nCommand3_HintMargin=1.5\nCommand3_BorderWidth=0\n"
              "Command3_BorderColor=77\n"
              "Command5_Text=never read\n");
    ASSERT_EQ("", disc.Load());
    const CWindowSettings& w = disc.Window("Main");
    ASSERT_EQ(3, w.commands.Count());
    const CCommandSettings& one = *w.commands[0];
    // 12pt is -16: the layout takes its magnitude, 28 high with gaps of 9.
    ExpectRect(CPageRect{0, 10, 100, 38}, one.rect, "first");
    EXPECT_EQ(U("Tahoma"), one.fontName); // given but empty
    EXPECT_EQ(-16, one.hintFontSize);
    EXPECT_TRUE(one.underlined);
    EXPECT_EQ(0xABCDEFu, one.notSelectedColor);
    EXPECT_EQ(one.pictures[1].Size().cx, one.pictures[2].Size().cx); // click follows hover
    const CCommandSettings& two = *w.commands[1];
    EXPECT_EQ(0x12u, two.colors[2]);
    EXPECT_EQ(0x34u, two.borderColors[1]);
    const CCommandSettings& three = *w.commands[2];
    ExpectRect(CPageRect{0, 69, 100, 97}, three.rect, "below the given rect of command 2");
    EXPECT_EQ(-16, three.fontSize);
    EXPECT_EQ(5, three.hintMargin);
    EXPECT_EQ(0u, three.borderColors[0]);
}

TEST(SettingsValues, CommandsAreNumberedWithoutGaps)
{
    CTestDisc disc;
    disc.File("Autorun.inf", "[Main]\nBackgroundSize=[1, 1]\nBackgroundColor=0\nFontSize=10\nCommandsRect=[0, 0, 99, 0]\nCommand1_Text=one\n"
                             "Command3_Text=three\n[Empty]\nBackgroundSize=[1, 1]\nBackgroundColor=0\nCommand2_Text=x\n"
                             "[RectOnly]\nBackgroundSize=[1, 1]\nBackgroundColor=0\nCommand1_Rect=[0, 0, 10, 10]\n");
    ASSERT_EQ("", disc.Load());
    EXPECT_EQ(1, disc.Window("Main").commands.Count());
    EXPECT_EQ(0, disc.Window("Empty").commands.Count());
    ASSERT_EQ(1, disc.Window("RectOnly").commands.Count());
    EXPECT_TRUE(disc.Window("RectOnly").commands[0]->text.IsEmpty());
}

TEST(SettingsValues, SixtyFourBitActions)
{
    const char* page = "[Main]\nBackgroundSize=[1, 1]\nBackgroundColor=0\nFontSize=10\nCommandsRect=[0, 0, 99, 0]\n"
                       "Command1_Text=a\nCommand1_Action=x86.exe\n"
                       "Command1_Action64=x64.exe\nCommand2_Text=b\nCommand2_Action64=only64.exe\n";
    struct Case {
        bool is64;
        const char* first;
        const char* second;
    } cases[] = {{false, "x86.exe", ""}, {true, "x64.exe", "only64.exe"}};
    for (const Case& c : cases) {
        CTestDisc disc;
        disc.File("Autorun.inf", page);
        disc.environment.is64BitWindows = c.is64;
        ASSERT_EQ("", disc.Load());
        EXPECT_EQ(U(c.first), disc.Window("Main").commands[0]->action);
        EXPECT_EQ(U(c.second), disc.Window("Main").commands[1]->action);
    }
}

TEST(SettingsValues, PageFileChainAndLanguage)
{
    const std::string page = "[Main]\nBackgroundSize=[1, 1]\nBackgroundColor=0\nTitle=";
    struct Case {
        const char* autorun;
        bool languageFile;
        bool defaultFile;
        const char* arguments;
        std::uint16_t userLanguage;
        const char* title;
        int language;
    } cases[] = {
        {"[Common]\nDir=pages\n", true, true, "/l:7", 1033, "seven", 7},
        {"[Common]\nDir=pages\n", true, true, "\"/L: 7\"", 1033, "seven", 7},
        {"[Common]\nDir=pages\n", false, true, "/l:7", 1033, "default", 0},
        {"[Common]\nDir=pages\n", false, false, "/l:7", 1033, "root", 0},
        {"[Common]\nDir=pages\nDefaultIniFile=Other.ini\n", false, false, "-l:7", 1033, "other", 0},
        {"[Common]\nDir=pages\n", true, true, "", 1043, "seven", 7},
        {"[Common]\nDir=pages\n", true, true, "", 2067, "default", 0}, // nl-BE has its own code, 28
        {"[Common]\n", true, true, "/l:7", 1033, "root", 7},
    };
    for (const Case& c : cases) {
        CTestDisc disc;
        disc.File("Autorun.inf", std::string(c.autorun) + page + "root\n");
        if (c.languageFile)
            disc.File("pages\\Autorun7.ini", page + "seven\n");
        if (c.defaultFile)
            disc.File("pages\\Autorun0.ini", page + "default\n");
        disc.File("pages\\Other.ini", page + "other\n");
        disc.environment.userLanguageId = c.userLanguage;
        ASSERT_EQ("", disc.Load(c.arguments)) << c.arguments;
        EXPECT_EQ(U(c.title), disc.Window("Main").title) << c.autorun << c.arguments;
        EXPECT_EQ(c.language, disc.Settings().Language()) << c.autorun << c.arguments;
    }
    // Only one settings object may live at a time.
    CTestDisc uninstalled;
    uninstalled.File("Autorun.inf", page + "root\n");
    uninstalled.environment.isLanguageInstalled = [](int code) { return code == 0; };
    ASSERT_EQ("", uninstalled.Load("/l:7"));
    EXPECT_EQ(0, uninstalled.Settings().Language());
}

TEST(SettingsValues, VariablesOfBothFilesInFileOrder)
{
    {
        CTestDisc disc;
        disc.File("Autorun.inf", "[Common]\nDir=.\nDefaultIniFile=page.ini\n[Variables]\nProduct=Orvex\nVer=1\n"
                                 "Full=$(Product) $(Ver)\n");
        disc.File("page.ini", "[Variables]\nVer=2\nLabel=$(Full) / $(Ver)\nA=$(B)\nB=b\n"
                              "[Main]\nBackgroundSize=[1, 1]\nBackgroundColor=0\nTitle=$(Label) $(A) $(Nope)\nFontSize=10\n"
                              "CommandsRect=[0, 0, 99, 0]\n"
                              "Command1_Text=$(Product)$(Ver)\nCommand1_Hint=$(Product)\\n$(Ver)\n");
        ASSERT_EQ("", disc.Load());
        EXPECT_EQ(U("Orvex 1 / 2 $(B) $(Nope)"), disc.Window("Main").title);
        EXPECT_EQ(U("Orvex2"), disc.Window("Main").commands[0]->text);
        EXPECT_EQ(U("Orvex\n2"), disc.Window("Main").commands[0]->hint);
    }

    // When the root file is also the page file, its variables are read once, not twice.
    CTestDisc single;
    single.File("Autorun.inf", "[Variables]\nX=a\nX=$(X)b\n[Main]\nBackgroundSize=[1, 1]\nBackgroundColor=0\nTitle=$(X)\n");
    ASSERT_EQ("", single.Load());
    EXPECT_EQ(U("$(X)b"), single.Window("Main").title);
}
