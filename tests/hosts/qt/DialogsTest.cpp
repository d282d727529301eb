#include "hosts/qt/dialogs/DialogStyle.h"
#include "hosts/qt/dialogs/Dravchgp.h"
#include "hosts/qt/dialogs/Dravgetp.h"
#include "hosts/qt/dialogs/FAbout.h"
#include "hosts/qt/dialogs/fHelp.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Memo.h"
#include "platform/gfx/TextRenderer.h"
#include "platform/io/ProfileFile.h"
#include "shell/HelpText.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/TempDir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOption>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>

namespace dd {
namespace {

using test::CloseNextMessageBox;
using test::ShownMessage;
using test::WhenModal;

class DialogTest : public ::testing::Test {
protected:
    std::filesystem::path Ini() const { return env.settings() / "control.ini"; }
    void Settings(const std::string& text) { test::WriteFile(Ini(), text); }
    std::string SettingsText() const {
        return std::filesystem::exists(Ini()) ? test::ReadFile(Ini()) : "";
    }
    test::IsolatedEnvironment env;
};

// A window of the saver's own, as the compositor may keep the keyboard on it.
class KeyCounter : public QWidget {
public:
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++keys; }
};

// The prompt's result after `typed` and Return (or Escape) went to `into`.
int Prompt(const std::string& expected, const char* typed, bool escape, QWidget* into) {
    TfrmPassword prompt;
    QTimer::singleShot(0, [&] {
        QTest::keyClicks(into, typed);
        QTest::keyClick(into, escape ? Qt::Key_Escape : Qt::Key_Return);
    });
    // Keys that never arrive cancel the prompt instead of leaving the test waiting.
    QTimer::singleShot(2000, &prompt, &QDialog::reject);
    return prompt.Execute(expected);
}

TEST(PasswordPrompt, OpensOnlyForThePasswordAndTakesTheKeysOfEveryOtherWindowWhileUp) {
    KeyCounter saver;
    saver.show();
    EXPECT_EQ(Prompt("Secret", "Secret", false, &saver), QDialog::Accepted);
    EXPECT_EQ(Prompt("Secret", "secret", false, &saver), QDialog::Rejected) << "letter case counts";
    EXPECT_EQ(Prompt("Secret", "Secret", true, &saver), QDialog::Rejected) << "Escape cancels";
    EXPECT_EQ(saver.keys, 0);
    QTest::keyClick(&saver, Qt::Key_A);
    EXPECT_EQ(saver.keys, 1) << "the keys return once the prompt has gone";
}

TEST(PasswordPrompt, HidesWhatIsTypedAndStaysAboveTheSaver) {
    TfrmPassword prompt;
    EXPECT_EQ(prompt.txtPassword->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(prompt.butOK->isDefault()) << "Enter is OK";
    EXPECT_TRUE(prompt.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(DialogTest, EveryWindowCarriesTheProgramsIconAndMessagesTheDialogsFace) {
    UseProgramLook();
    const QImage icon = ProgramIcon().pixmap(32, 32).toImage();
    ASSERT_EQ(icon.size(), QSize(32, 32)) << "the icon drawn with the data is built in";
    EXPECT_GT(icon.pixelColor(16, 16).alpha(), 0);
    TfrmChangePassword d;
    EXPECT_EQ(d.windowIcon().pixmap(32, 32).toImage(), icon);
    ShownMessage shown;
    CloseNextMessageBox(shown);
    WhenModal([&](QWidget&) { d.butOK->click(); });
    d.ShowChangeDialog();
    EXPECT_EQ(shown.face.toStdString(), kTextFace);
    EXPECT_TRUE(shown.windowIcon);
}

// The rules themselves are the logic's, tested on their own; here the boxes, buttons and
// messages follow them.
TEST_F(DialogTest, TheChangePasswordDialogFollowsItsRules) {
    Settings("[ScreenSaver.Zeilen]\nPWD=abc\n[Other]\nx=1\n");
    TfrmChangePassword d;
    EXPECT_FALSE(d.txtNew1->isEnabled());
    EXPECT_FALSE(d.txtNew2->isEnabled());
    EXPECT_FALSE(d.butOK->isEnabled());
    EXPECT_TRUE(d.txtNew1->styleSheet().contains("192")) << "a closed box is silver";
    QTest::keyClicks(d.txtOld, "abc");
    EXPECT_TRUE(d.txtNew1->isEnabled());
    EXPECT_TRUE(d.txtNew2->isEnabled());
    QTest::keyClicks(d.txtNew1, "new");
    EXPECT_FALSE(d.butOK->isEnabled());
    QTest::keyClicks(d.txtNew2, "new");
    EXPECT_TRUE(d.butOK->isEnabled());

    ShownMessage shown;
    CloseNextMessageBox(shown);
    d.show();
    d.butOK->click();
    EXPECT_EQ(shown.text, "Your password has been changed.");
    EXPECT_EQ(shown.icon, QMessageBox::Information);
    EXPECT_EQ(SettingsText(), "[ScreenSaver.Zeilen]\nPWD=new\n[Other]\nx=1\n");
    EXPECT_FALSE(d.isVisible()) << "as a main window OK closes it";

    CloseNextMessageBox(shown);
    WhenModal([&](QWidget&) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_EQ(d.ShowChangeDialog(), QDialog::Rejected) << "opened again, with empty boxes";
    EXPECT_EQ(shown.text, "Your password has NOT been changed.");
    EXPECT_EQ(shown.icon, QMessageBox::Warning);

    shown = {};
    CloseNextMessageBox(shown);
    d.show();
    d.close();
    QTest::qWait(50);
    EXPECT_TRUE(shown.text.isEmpty()) << "the title bar's close says nothing";
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(SettingsText(), "[ScreenSaver.Zeilen]\nPWD=new\n[Other]\nx=1\n");
}

TEST_F(DialogTest, TheChangePasswordDialogTabsThroughItsBoxesThenItsButtons) {
    TfrmChangePassword d;
    d.show();
    d.txtOld->setFocus();
    std::vector<QWidget*> order;
    for (QWidget* w = d.txtOld; order.size() < 5; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            order.push_back(w);
    EXPECT_EQ(order, (std::vector<QWidget*>{d.txtOld, d.txtNew1, d.txtNew2, d.butOK, d.butCancel}));
}

TEST_F(DialogTest, TheSettingsDialogShowsWritesAndKeepsTheSettings) {
    Settings("[Other]\nkeep=me\n[ScreenSaver.Zeilen]\nSound=1\nFollowStar=1\nPicture=3\n");
    TfrmHelp help;
    TfrmChangePassword change;
    TfrmAbout about(help, change);
    EXPECT_TRUE(about.chkSound->isChecked());
    EXPECT_TRUE(about.chkFollow->isChecked());
    EXPECT_EQ(about.comboBackground->currentIndex(), 3);
    about.show();

    ShownMessage shown;
    CloseNextMessageBox(shown);
    WhenModal([&](QWidget&) {
        QTest::keyClicks(change.txtNew1, "pw");
        QTest::keyClicks(change.txtNew2, "pw");
        change.butOK->click();
    });
    about.butPassword->click();
    EXPECT_EQ(shown.text, "Your password has been changed.");
    EXPECT_TRUE(about.isVisible());

    about.chkSound->setChecked(false);
    about.comboBackground->setCurrentIndex(1);
    about.butCancel->click();
    EXPECT_EQ(SettingsText(), "[Other]\nkeep=me\n[ScreenSaver.Zeilen]\nSound=1\nFollowStar=1\n"
                              "Picture=3\nPWD=pw\n")
        << "Cancel writes nothing, but the new password stays";

    about.show();
    about.chkSound->setChecked(false);
    about.comboBackground->setCurrentIndex(1);
    about.butOK->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(SettingsText(), "[Other]\nkeep=me\n[ScreenSaver.Zeilen]\nSound=0\nFollowStar=1\n"
                              "Picture=1\nPWD=pw\n");

    std::filesystem::remove(Ini());
    std::filesystem::create_directory(Ini()); // a folder where the file should be
    about.show();
    CloseNextMessageBox(shown);
    about.butOK->click();
    EXPECT_TRUE(shown.text.startsWith("Unable to write to ")) << shown.text.toStdString();
    EXPECT_TRUE(about.isVisible()) << "a failed write keeps it open";
}

TEST(HelpWindow, HoldsTheHelpTextAndClosesOnEscape) {
    TfrmHelp help;
    EXPECT_EQ(help.windowTitle(), "Dravelin Didazi Screen Saver Help");
    EXPECT_EQ(help.size(), QSize(321, 329));
    const HelpText text = help.Text();
    ASSERT_EQ(text.lines.size(), kHelpLines.size());
    for (std::size_t i = 0; i < kHelpLines.size(); ++i)
        EXPECT_EQ(text.lines[i], kHelpLines[i]);
    EXPECT_EQ(text.width, 305);
    EXPECT_EQ(text.height, 281);
    EXPECT_TRUE(help.memoHelp->isReadOnly());
    WhenModal([&](QWidget&) { QTest::keyClick(help.memoHelp, Qt::Key_Escape); });
    EXPECT_EQ(help.exec(), QDialog::Rejected);
}

// ---- Every text shows whole, measured in its own font against the room its control gives ----

std::string Name(const QWidget& w) {
    return w.objectName().toStdString();
}

// The size a one-line text takes, its accelerator's & not counted.
QSize OneLine(const QWidget& w, const QString& text) {
    return QFontMetrics(w.font()).size(Qt::TextShowMnemonic, text);
}

void ExpectFits(const QWidget& w, QSize need, QRect room) {
    EXPECT_LE(need.width(), room.width()) << Name(w) << " is too narrow for its text";
    EXPECT_LE(need.height(), room.height()) << Name(w) << " is too low for its text";
}

void ExpectLabelFits(const QLabel& label) {
    const QRect room = label.contentsRect();
    if (!label.wordWrap()) {
        ExpectFits(label, OneLine(label, label.text()), room);
        return;
    }
    // A word wider than the label would stick out of the bounding box.
    const QRect need =
        QFontMetrics(label.font())
            .boundingRect(QRect(0, 0, room.width(), 10000),
                          static_cast<int>(label.alignment()) | Qt::TextWordWrap, label.text());
    ExpectFits(label, need.size(), room);
    EXPECT_TRUE(label.alignment() & Qt::AlignTop) << Name(label) << ": a cut should lose the end";
}

void ExpectButtonFits(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const QRect room =
        button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    ExpectFits(button, OneLine(button, button.text()), room);
}

void ExpectCheckBoxFits(const QCheckBox& box) {
    QStyleOptionButton option;
    option.initFrom(&box);
    option.text = box.text();
    const QRect room = box.style()->subElementRect(QStyle::SE_CheckBoxContents, &option, &box);
    ExpectFits(box, OneLine(box, box.text()), room);
}

void ExpectItemsFit(const QComboBox& combo) {
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    const QRect room = combo.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, &combo);
    for (int i = 0; i < combo.count(); ++i)
        ExpectFits(combo, OneLine(combo, combo.itemText(i)), room);
}

// Every text control of `dialog` shows its whole text, lies inside its parent and overlaps none
// of its siblings.
void ExpectEveryTextFits(QDialog& dialog) {
    dialog.ensurePolished();
    int checked = 0;
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (w->isWindow() || !w->parentWidget())
            continue;
        if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull()) {
            ExpectLabelFits(*label);
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            ExpectButtonFits(*button);
        } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
            ExpectCheckBoxFits(*box);
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            ExpectFits(*group, OneLine(*group, group->title()), group->contentsRect());
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            ExpectItemsFit(*combo);
        } else {
            continue;
        }
        ++checked;
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
            << Name(*w) << " sticks out of its parent";
        for (QObject* sibling : w->parentWidget()->children()) {
            auto* other = qobject_cast<QWidget*>(sibling);
            if (other && other != w && !other->isWindow()) {
                EXPECT_FALSE(other->geometry().intersects(w->geometry()))
                    << Name(*w) << " overlaps " << Name(*other);
            }
        }
    }
    EXPECT_GT(checked, 0);
}

TEST_F(DialogTest, EveryDialogShowsItsWholeTexts) {
    TfrmPassword prompt;
    TfrmHelp help;
    TfrmChangePassword change;
    TfrmAbout about(help, change);
    for (QDialog* d : std::initializer_list<QDialog*>{&prompt, &change, &about, &help}) {
        SCOPED_TRACE(d->objectName().toStdString());
        ExpectEveryTextFits(*d);
    }
}

TEST(DialogTexts, EveryHelpLineFitsTheHelpBoxUnwrappedAndUnscrolled) {
    TfrmHelp help;
    help.show();
    QCoreApplication::processEvents();
    QPlainTextEdit& memo = *help.memoHelp;
    const QFontMetrics metrics(memo.font());
    const int room =
        memo.viewport()->width() - 2 * static_cast<int>(memo.document()->documentMargin());
    int widest = 0;
    for (const char* line : kHelpLines)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromUtf8(line)));
    EXPECT_LE(widest, room);
    // So Qt lays out each line as one, and needs no scroll bar either way.
    for (QTextBlock b = memo.document()->begin(); b.isValid(); b = b.next())
        EXPECT_EQ(b.layout()->lineCount(), 1) << b.text().toStdString();
    EXPECT_EQ(memo.horizontalScrollBar()->maximum(), 0);
    EXPECT_FALSE(memo.horizontalScrollBar()->isVisible());
    EXPECT_FALSE(memo.verticalScrollBar()->isVisible());
}

TEST(DialogTexts, AHelpLineTooLongForTheBoxWrapsAtABlank) {
    TfrmHelp help;
    help.show();
    QPlainTextEdit& memo = *help.memoHelp;
    memo.setPlainText(QString("word ").repeated(100));
    QTextBlock block = memo.document()->begin();
    ASSERT_GT(block.layout()->lineCount(), 1);
    EXPECT_EQ(memo.horizontalScrollBar()->maximum(), 0);
    for (int i = 0; i + 1 < block.layout()->lineCount(); ++i) {
        const QTextLine line = block.layout()->lineAt(i);
        EXPECT_EQ(block.text().at(line.textStart() + line.textLength() - 1), ' ') << i;
    }
}

TEST(DialogTexts, TheOnScreenHelpShowsEveryHelpLineWholeAndUnwrapped) {
    // What the saver does on H: the help window's lines in a box of its text box's size.
    const HelpText help = TfrmHelp().Text();
    TForm form;
    form.SetClientSize(800, 600);
    TMemo memo(&form);
    memo.SetParent(&form);
    memo.SetBounds(8, 8, help.width, help.height);
    memo.Lines = help.lines;
    EXPECT_EQ(memo.ShownLines(), help.lines);
    const TRect room = memo.TextRect();
    int widest = 0;
    for (const std::string& line : help.lines)
        widest = std::max(widest, TextRenderer::Instance().TextExtent(memo.TextFont, line).Width);
    EXPECT_LE(widest, room.Width());
    const int lineHeight = TextRenderer::Instance().TextExtent(memo.TextFont, "Ag").Height;
    EXPECT_LE(lineHeight * static_cast<int>(help.lines.size()), room.Height());
}

} // namespace
} // namespace dd
