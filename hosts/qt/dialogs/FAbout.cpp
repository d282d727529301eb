#include "hosts/qt/dialogs/FAbout.h"

#include "hosts/qt/dialogs/DialogStyle.h"
#include "hosts/qt/dialogs/Dravchgp.h"
#include "hosts/qt/dialogs/fHelp.h"
#include "shell/DialogLayouts.h"
#include "shell/HelpText.h"
#include "shell/Settings.h"
#include "shell/SettingsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <utility>

namespace dd {
namespace {

using Layout = SettingsLayout;

// The group's controls are placed within it.
QRect InGroup(const ControlBox& box) {
    return Rect(box).translated(-Layout::group.box.left, -Layout::group.box.top);
}

} // namespace

TfrmAbout::TfrmAbout(TfrmHelp& help, TfrmChangePassword& changePassword, QWidget* parent)
    : QDialog(parent), frmHelp_(help), frmChangePassword_(changePassword) {
    setObjectName("frmAbout");
    MakeFixedDialog(*this, Layout::frame);
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(Rect(Layout::icon));
    Image1->setPixmap(ProgramIcon().pixmap(Layout::icon.width, Layout::icon.height));
    CreateLabels();
    CreateSettings();
    CreateButtons();
    ReadSettings();
}

void TfrmAbout::CreateLabels() {
    Label1 = new QLabel(Text(Layout::title.text), this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(Rect(Layout::title.box));
    Label1->setAlignment(Qt::AlignCenter);
    QFont big = Label1->font();
    big.setBold(true);
    big.setPixelSize(Layout::kTitlePixels);
    Label1->setFont(big);
    const std::array<std::pair<QLabel**, const char*>, Layout::keyLineTops.size()> keyLabels = {
        {{&Label2, "Label2"},
         {&Label3, "Label3"},
         {&Label4, "Label4"},
         {&Label5, "Label5"},
         {&Label7, "Label7"},
         {&Label8, "Label8"}}};
    for (std::size_t line = 0; line < keyLabels.size(); ++line) {
        auto* label = new QLabel(QString::fromUtf8(kHelpLines[Layout::kFirstKeyLine + line]), this);
        label->setObjectName(keyLabels[line].second);
        label->setGeometry(Rect(Layout::KeyLineBox(line)));
        label->setTextFormat(Qt::PlainText);
        *keyLabels[line].first = label;
    }
}

void TfrmAbout::CreateSettings() {
    GroupBox1 = new QGroupBox(Text(Layout::group.text), this);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(Rect(Layout::group.box));
    Label6 = new QLabel(Text(Layout::backgroundLabel.text), GroupBox1);
    Label6->setObjectName("Label6");
    Label6->setGeometry(InGroup(Layout::backgroundLabel.box));
    comboBackground = new QComboBox(GroupBox1);
    comboBackground->setObjectName("comboBackground");
    comboBackground->setGeometry(InGroup(Layout::background));
    for (std::string_view item : kPictureItems)
        comboBackground->addItem(Text(item));
    Label6->setBuddy(comboBackground);
    chkSound = new QCheckBox(Text(Layout::sound.text), GroupBox1);
    chkSound->setObjectName("chkSound");
    chkSound->setGeometry(InGroup(Layout::sound.box));
    chkSound->setChecked(true); // the stored design; the file's value replaces it below
    chkFollow = new QCheckBox(Text(Layout::followStar.text), GroupBox1);
    chkFollow->setObjectName("chkFollow");
    chkFollow->setGeometry(InGroup(Layout::followStar.box));
}

void TfrmAbout::CreateButtons() {
    butHelp = NewButton(this, "butHelp", Layout::help);
    butPassword = NewButton(this, "butPassword", Layout::password);
    butOK = NewButton(this, "butOK", Layout::ok);
    butOK->setDefault(true);
    butCancel = NewButton(this, "butCancel", Layout::cancel);
    connect(butHelp, &QPushButton::clicked, this, [this] {
        frmHelp_.exec();
        TakeTheKeyboardBack();
    });
    connect(butPassword, &QPushButton::clicked, this, [this] {
        frmChangePassword_.ShowChangeDialog();
        TakeTheKeyboardBack();
    });
    connect(butOK, &QPushButton::clicked, this, [this] {
        const SettingsChoice choice{comboBackground->currentIndex(), chkSound->isChecked(),
                                    chkFollow->isChecked()};
        ShowOutcome(*this, SettingsOKClick(SettingsFile("Control.ini"), choice));
    });
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmAbout::TakeTheKeyboardBack() {
    // Without a window manager nobody hands the keyboard back when a dialog above closes.
    raise();
    activateWindow();
}

void TfrmAbout::ReadSettings() {
    const SettingsChoice choice = ReadSettingsChoice(SettingsFile("Control.ini"));
    chkSound->setChecked(choice.sound);
    chkFollow->setChecked(choice.followStar);
    comboBackground->setCurrentIndex(choice.picture);
}

} // namespace dd
