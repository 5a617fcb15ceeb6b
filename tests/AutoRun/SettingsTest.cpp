#include "../TalmoObjects/RecordingHandler.h"
#include "TestDisc.h"
#include "TestText.h"
#include "errors.h"

#include <gtest/gtest.h>

using TObj::CUnicodeString;

namespace {

const char* kRoot = "[AutoRun]\nopen=Autorun.exe\n";
const char* kPlainMain = "[Main]\nBackgroundSize=[640, 480]\nBackgroundColor=FFFFFF\n";

struct CDiscCase {
    const char* what;
    const char* autorun;   // the root file, or null for none
    const char* pageName;  // a second file, or null
    const char* page;
    const char* arguments;
    const char* expected; // "" for a clean load; "<disc>" stands for the folder
};

void RunCases(const CDiscCase* cases, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const CDiscCase& c = cases[i];
        CTestDisc disc;
        disc.Picture("back.bmp", 64, 48).Picture("pics\\button.bmp").File("text.bmp", "not a picture");
        if (c.autorun != nullptr)
            disc.File("Autorun.inf", c.autorun);
        if (c.pageName != nullptr)
            disc.File(c.pageName, c.page);
        EXPECT_EQ(disc.Expand(c.expected), disc.Load(disc.Expand(c.arguments).c_str())) << c.what;
    }
}

} // namespace

TEST(Settings, EveryStartUpErrorWithItsExactMessage)
{
    const CDiscCase cases[] = {
        {"no root file", nullptr, nullptr, nullptr, "", "<disc>Autorun.inf was not found."},
        {"language letters", kRoot, nullptr, nullptr, "/l:abc", "Invalid language code \"abc\"."},
        {"language beyond the table", kRoot, nullptr, nullptr, "-l:70", "Invalid language code \"70\"."},
        {"negative language", kRoot, nullptr, nullptr, "--l=-1", "Invalid language code \"-1\"."},
        {"huge language", kRoot, nullptr, nullptr, "/l:99999999999", "Invalid language code \"99999999999\"."},
        {"empty language", kRoot, nullptr, nullptr, "/l", "Invalid language code \"\"."},
        {"window without size", "[Main]\nBackgroundColor=0\n", nullptr, nullptr, "",
         "Background size and color weren't set for window \"Main\"."},
        {"window without colour", "[Main]\nBackgroundSize=[10, 10]\n", nullptr, nullptr, "",
         "Background size and color weren't set for window \"Main\"."},
        {"picture and size", "[Main]\nBackground=back.bmp\nBackgroundSize=[1, 1]\n", nullptr, nullptr, "",
         "Wrong background settings for \"Main\"."},
        {"picture and colour", "[Main]\nBackground=back.bmp\nBackgroundColor=0\n", nullptr, nullptr, "",
         "Wrong background settings for \"Main\"."},
        {"missing picture", "[Main]\nBackground=pics/none.bmp\n", nullptr, nullptr, "",
         "Background image \"<disc>pics\\none.bmp\" was not found for \"Main\"."},
        {"a plain page", kPlainMain, nullptr, nullptr, "", ""},
        {"command with both",
         "[Main]\nBackgroundSize=[9, 9]\nBackgroundColor=0\nCommand1_Text=a\nCommand1_Rect=[0, 0, 5, 5]\n"
         "Command1_BackgroundImage=pics\\button.bmp\nCommand1_BackgroundColor=FF\n",
         nullptr, nullptr, "", "Wrong background settings for \"Main:Command1_\"."},
        {"missing hover picture",
         "[Main]\nBackgroundSize=[9, 9]\nBackgroundColor=0\nCommand1_Text=a\nCommand1_Rect=[0, 0, 5, 5]\n"
         "Command2_Text=b\nCommand2_Rect=[0, 0, 5, 5]\nCommand2_BackgroundImage=pics\\button.bmp\n"
         "Command2_BackgroundHoverImage=\\nowhere.bmp\n",
         nullptr, nullptr, "", "Background image \"C:\\nowhere.bmp\" was not found for \"Main:Command2_\"."},
        {"line without equals sign", "[Main]\nBackgroundSize=[9, 9]\n\nThis line is wrong\n", nullptr, nullptr, "",
         "<disc>Autorun.inf is corrupted (line 4)."},
        {"missing response file", kRoot, nullptr, nullptr, "@<disc>nothing.rsp", "<disc>nothing.rsp was not found."},
    };
    RunCases(cases, sizeof cases / sizeof cases[0]);
}

TEST(Settings, ErrorsThatComeWhenAPageOrTheIconIsAskedFor)
{
    CTestDisc disc;
    disc.File("Autorun.inf", std::string(kPlainMain) + "[Common]\nIcon=missing.ico\n[Setup]\nBackgroundSize=[1, 1]\nBackgroundColor=0\n");
    ASSERT_EQ("", disc.Load("/startupWindow:Nowhere"));
    EXPECT_EQ(U("Nowhere"), disc.Settings().StartWindowName());
    struct Case {
        const char* name;
        const char* expected;
    } cases[] = {{"Main", ""}, {"Setup", ""}, {"main", "<disc>Autorun.inf is corrupted."},
                 {"Nowhere", "<disc>Autorun.inf is corrupted."}, {"Common", "<disc>Autorun.inf is corrupted."}};
    for (const Case& c : cases) {
        std::string message;
        try {
            disc.Settings().GetWindow(U(c.name));
        } catch (TObj::CException* e) {
            message = e->GetMessageText().ToUtf8();
            delete e;
        }
        EXPECT_EQ(disc.Expand(c.expected), message) << c.name;
    }
    try {
        disc.Settings().GetIcon();
        FAIL();
    } catch (TObj::CException* e) {
        EXPECT_EQ(disc.Expand("<disc>missing.ico was not found."), e->GetMessageText().ToUtf8());
        delete e;
    }
}

TEST(Settings, DataRulesAreInternalErrorsOfTheReader)
{
    const std::string page = "[Main]\nBackgroundSize=[90, 90]\nBackgroundColor=0\nCommand1_Text=a\nCommand1_Rect=[0, 0, 50, 20]\n";
    struct Case {
        const char* keys;
        int line;
        std::uint32_t code;
    } cases[] = {
        {"Command1_BackgroundHoverColor=FF\n", 442, 0},
        {"Command1_BackgroundClickColor=FF\n", 451, 0},
        {"Command1_BorderWidth=2\n", 471, 0},
        {"Command1_LeftMargin=30\nCommand1_RightMargin=20\n", 491, 0},
        {"Command1_TopMargin=20\n", 492, 0},
        {"Command1_BackgroundImage=text.bmp\n", 400, 0},
        {"Command1_BackgroundImage=back.bmp\nCommand1_BackgroundHoverImage=text.bmp\n", 413, 0},
        {"Command1_BackgroundImage=back.bmp\nCommand1_BackgroundClickImage=text.bmp\n", 425, 0},
    };
    for (const Case& c : cases) {
        CTestDisc disc;
        disc.Picture("back.bmp").File("text.bmp", "not a picture").File("Autorun.inf", page + c.keys);
        disc.environment.commandLine = U("Autorun.exe");
        CSettings settings;
        try {
            settings.Load(disc.environment);
            ADD_FAILURE() << c.keys;
        } catch (TObj::CInternalError* e) {
            EXPECT_EQ(c.line, e->Line()) << c.keys;
            EXPECT_EQ(CUnicodeString(u"Settings"), CUnicodeString(e->File()));
            EXPECT_EQ(c.code, e->Code());
            delete e;
        }
    }
}

TEST(Settings, OnlyOneSettingsObjectAtATime)
{
    CSettings first;
    EXPECT_EQ(&first, CSettings::Current());
    try {
        CSettings second;
        FAIL();
    } catch (TObj::CInternalError* e) {
        EXPECT_EQ(47, e->Line());
        delete e;
    }
    EXPECT_EQ(&first, CSettings::Current());
}
