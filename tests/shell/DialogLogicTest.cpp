#include "shell/ChangePassword.h"
#include "shell/PasswordPrompt.h"
#include "shell/SettingsForm.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>

namespace dd {

void PrintTo(const DialogMessage& m, std::ostream* os) {
    *os << '"' << m.text << "\" / \"" << m.caption << "\" / icon " << static_cast<int>(m.icon);
}

void PrintTo(const ChangePassword::Enabled& e, std::ostream* os) {
    *os << "{newBoxes " << e.newBoxes << ", ok " << e.ok << '}';
}

namespace {

const DialogMessage kChanged{"Your password has been changed.", "Message",
                             MessageIcon::Information};
const DialogMessage kNotChanged{"Your password has NOT been changed.", "Message",
                                MessageIcon::Exclamation};

class DialogLogicTest : public ::testing::Test {
protected:
    std::filesystem::path Ini() const { return dir / "control.ini"; }
    ProfileFile File(const char* name = "control.ini") const { return {dir.path(), name}; }
    void Settings(const std::string& text) { test::WriteFile(Ini(), text); }
    std::string SettingsText() const { return test::ReadFile(Ini()); }
    // A folder where the file should be: every write fails, and reads find nothing.
    void BreakWrites() {
        std::filesystem::remove(Ini());
        std::filesystem::create_directory(Ini());
    }
    test::TempDir dir;
};

TEST(PasswordPromptLogic, ClosesEitherWayAndOpensOnlyForTheWholeExactPassword) {
    EXPECT_EQ(PasswordPromptOK("Secret", "Secret"), DialogEnd::OK);
    for (const char* typed : {"secret", "SECRET", "", "Secre", "Secret ", " Secret"})
        EXPECT_EQ(PasswordPromptOK(typed, "Secret"), DialogEnd::Cancel) << '"' << typed << '"';
}

TEST_F(DialogLogicTest, WithoutAStoredPasswordTheNewBoxesAreOpenAtOnceAndEmptyEntriesStore) {
    ChangePassword d(File());
    EXPECT_EQ(d.ForTexts("", "", ""), (ChangePassword::Enabled{true, true}))
        << "two empty entries are equal";
    EXPECT_EQ(d.ForTexts("", "a", ""), (ChangePassword::Enabled{true, false}));
    EXPECT_EQ(d.ForTexts("x", "", ""), (ChangePassword::Enabled{false, false}));
    EXPECT_EQ(d.OKClick("").end, DialogEnd::OK);
    EXPECT_EQ(SettingsText(), "[ScreenSaver.Zeilen]\nPWD=\n");
}

TEST_F(DialogLogicTest, OnlyTheExactOldPasswordOpensTheNewBoxesAndEqualEntriesEnableOk) {
    Settings("[Other]\nPWD=zzz\n[ScreenSaver.Zeilen]\nPWD=abc\n");
    const ChangePassword d(File());
    Settings("[ScreenSaver.Zeilen]\nPWD=other\n"); // read once, when the dialog is made
    const ChangePassword::Enabled closed{false, false};
    EXPECT_EQ(d.ForTexts("other", "", ""), closed);
    EXPECT_EQ(d.ForTexts("", "", ""), closed);
    EXPECT_EQ(d.ForTexts("ab", "", ""), closed);
    EXPECT_EQ(d.ForTexts("ABC", "", ""), closed) << "letter case counts";
    EXPECT_EQ(d.ForTexts("abcd", "new", "new"), closed) << "one letter too many";
    EXPECT_EQ(d.ForTexts("zzz", "", ""), closed) << "another section's PWD";
    EXPECT_EQ(d.ForTexts("abc", "", ""), (ChangePassword::Enabled{true, true}));
    EXPECT_EQ(d.ForTexts("abc", "new", ""), (ChangePassword::Enabled{true, false}));
    EXPECT_EQ(d.ForTexts("abc", "new", "ne"), (ChangePassword::Enabled{true, false}));
    EXPECT_EQ(d.ForTexts("abc", "new", "New"), (ChangePassword::Enabled{true, false}));
    EXPECT_EQ(d.ForTexts("abc", "new", "new"), (ChangePassword::Enabled{true, true}));
}

TEST_F(DialogLogicTest, OkStoresTheNewPasswordAndCancelSaysNothingChangedAndBothClose) {
    Settings("[ScreenSaver.Zeilen]\nPWD=abc\nSound=1\n");
    ChangePassword d(File());
    const DialogOutcome outcome = d.OKClick("new");
    EXPECT_EQ(outcome.message, kChanged);
    EXPECT_EQ(outcome.end, DialogEnd::OK);
    EXPECT_EQ(SettingsText(), "[ScreenSaver.Zeilen]\nPWD=new\nSound=1\n");
    EXPECT_EQ(d.StoredPassword(), "new");
    EXPECT_FALSE(d.ForTexts("abc", "", "").newBoxes) << "the next opening wants the new one";
    EXPECT_TRUE(d.ForTexts("new", "", "").newBoxes);
    const DialogOutcome cancel = ChangePassword::CancelClick();
    EXPECT_EQ(cancel.message, kNotChanged);
    EXPECT_EQ(cancel.end, DialogEnd::Cancel);
}

TEST_F(DialogLogicTest, AFailedPasswordWriteIsReportedAndKeepsTheDialogAndThePassword) {
    Settings("[ScreenSaver.Zeilen]\nPWD=abc\n");
    ChangePassword d(File());
    BreakWrites();
    const DialogOutcome outcome = d.OKClick("new");
    EXPECT_EQ(outcome.message, (DialogMessage{"Unable to write to control.ini",
                                              "Dravelin Didazi Screen Saver", MessageIcon::Error}));
    EXPECT_EQ(outcome.end, DialogEnd::StayOpen);
    EXPECT_EQ(d.StoredPassword(), "abc");
    EXPECT_TRUE(d.ForTexts("abc", "", "").newBoxes);
}

TEST_F(DialogLogicTest, SettingsShowTheFileAndPicturesOutsideTheListAsTheFirstItem) {
    struct Case {
        const char* file;
        int picture;
        bool sound, followStar;
    } cases[] = {{"", 0, false, false},
                 {"[ScreenSaver.Zeilen]\nSound=2\nFollowStar=1\nPicture=3\n", 3, true, true},
                 {"[ScreenSaver.Zeilen]\nSound=on\nPicture=0x4\n", 4, false, false},
                 {"[ScreenSaver.Zeilen]\nPicture=5\n", 0, false, false},
                 {"[ScreenSaver.Zeilen]\nPicture=7\n", 0, false, false},
                 {"[ScreenSaver.Zeilen]\nPicture=-1\n", 0, false, false},
                 {"[Other]\nSound=1\nFollowStar=1\nPicture=2\n", 0, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Settings(c.file);
        const SettingsChoice choice = ReadSettingsChoice(File("Control.ini"));
        EXPECT_EQ(choice.picture, c.picture);
        EXPECT_EQ(choice.sound, c.sound);
        EXPECT_EQ(choice.followStar, c.followStar);
    }
}

TEST_F(DialogLogicTest, SettingsOkWritesSoundFollowStarAndPictureInOrderOrReportsAFailure) {
    Settings("[Other]\nkeep=me\n");
    const DialogOutcome outcome = SettingsOKClick(File("Control.ini"), {3, true, false});
    EXPECT_FALSE(outcome.message);
    EXPECT_EQ(outcome.end, DialogEnd::OK);
    EXPECT_EQ(SettingsText(),
              "[Other]\nkeep=me\n[ScreenSaver.Zeilen]\nSound=1\nFollowStar=0\nPicture=3\n");
    BreakWrites();
    const DialogOutcome failed = SettingsOKClick(File("Control.ini"), {2, true, true});
    EXPECT_EQ(failed.message, (DialogMessage{"Unable to write to Control.ini",
                                             "Dravelin Didazi Screen Saver", MessageIcon::Error}));
    EXPECT_EQ(failed.end, DialogEnd::StayOpen) << "a failed write keeps the dialog open";
}

} // namespace
} // namespace dd
