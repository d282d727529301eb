#include "shell/qt/FAbout.h"

#include "shell/Settings.h"
#include "shell/SettingsForm.h"
#include "shell/qt/DialogStyle.h"
#include "shell/qt/Dravchgp.h"
#include "shell/qt/fHelp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <cmath>

namespace dd {
namespace {

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(16, top, 353, 16);
    return label;
}

} // namespace

QPixmap ProgramIcon() {
    QPixmap icon(32, 32);
    icon.fill(QColor(40, 90, 170));
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? 6.0 : 14.5;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(16 + r * std::cos(a), 17 + r * std::sin(a));
        i ? star.lineTo(pt) : star.moveTo(pt);
    }
    star.closeSubpath();
    p.fillPath(star, QColor(210, 30, 40));
    p.setPen(QPen(Qt::white, 1.2));
    p.drawPath(star);
    return icon;
}

TfrmAbout::TfrmAbout(TfrmHelp& help, TfrmChangePassword& changePassword, QWidget* parent)
    : QDialog(parent), frmHelp_(help), frmChangePassword_(changePassword) {
    setObjectName("frmAbout");
    MakeFixedDialog(*this, "Settings", 377, 289, true);
    setWindowIcon(ProgramIcon());
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(8, 8, 32, 32);
    Image1->setPixmap(ProgramIcon());
    CreateLabels();
    CreateSettings();
    CreateButtons();
    ReadSettings();
}

void TfrmAbout::CreateLabels() {
    Label1 = NewLabel(this, "Label1", ApplicationTitle(), 12);
    Label1->setGeometry(48, 8, 321, 28);
    Label1->setAlignment(Qt::AlignCenter);
    QFont big = Label1->font();
    big.setBold(true);
    big.setPixelSize(17);
    Label1->setFont(big);
    Label2 = NewLabel(this, "Label2", "You can use the following keys:", 44);
    Label3 =
        NewLabel(this, "Label3", "* Arrow keys left/right: changes the direction of the boat;", 62);
    Label4 = NewLabel(this, "Label4", "* Home/page up: changes the position of the sail;", 78);
    Label5 = NewLabel(this, "Label5", "* G: starts the game when in screensaver mode;", 94);
    Label7 = NewLabel(this, "Label7", "* S: switches sound on and off;", 110);
    Label8 = NewLabel(this, "Label8", "* H: shows/hides this Help screen.", 126);
    for (QLabel* l : {Label2, Label3, Label4, Label5, Label7, Label8})
        l->setTextFormat(Qt::PlainText);
}

void TfrmAbout::CreateSettings() {
    GroupBox1 = new QGroupBox("Settings", this);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(8, 150, 361, 96);
    Label6 = new QLabel("&Background image:", GroupBox1);
    Label6->setObjectName("Label6");
    Label6->setGeometry(12, 24, 120, 20);
    comboBackground = new QComboBox(GroupBox1);
    comboBackground->setObjectName("comboBackground");
    comboBackground->setGeometry(136, 22, 150, 24);
    for (std::string_view item : kPictureItems)
        comboBackground->addItem(
            QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
    Label6->setBuddy(comboBackground);
    chkSound = new QCheckBox("&Sound", GroupBox1);
    chkSound->setObjectName("chkSound");
    chkSound->setGeometry(12, 58, 120, 22);
    chkSound->setChecked(true); // the stored design; the file's value replaces it below
    chkFollow = new QCheckBox("&Follow star", GroupBox1);
    chkFollow->setObjectName("chkFollow");
    chkFollow->setGeometry(136, 58, 150, 22);
    setTabOrder(comboBackground, chkSound);
    setTabOrder(chkSound, chkFollow);
}

void TfrmAbout::CreateButtons() {
    butHelp = NewButton(this, "butHelp", "&Help", 8, 256);
    butPassword = NewButton(this, "butPassword", "&Password", 88, 256);
    butOK = NewButton(this, "butOK", "&OK", 214, 256);
    butOK->setDefault(true);
    butCancel = NewButton(this, "butCancel", "&Cancel", 294, 256);
    setTabOrder(chkFollow, butHelp);
    setTabOrder(butHelp, butPassword);
    setTabOrder(butPassword, butOK);
    setTabOrder(butOK, butCancel);
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
