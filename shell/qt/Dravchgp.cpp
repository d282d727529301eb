#include "shell/qt/Dravchgp.h"

#include "shell/Settings.h"
#include "shell/qt/DialogStyle.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dd {
namespace {

QLineEdit* NewEdit(QWidget* parent, const char* name, int top) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(128, top, 113, 21);
    MakePasswordEdit(*edit);
    return edit;
}

QLabel* NewLabel(QWidget* parent, const char* name, const char* text, int top, QLineEdit* buddy) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(8, top + 3, 118, 16);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TfrmChangePassword::TfrmChangePassword(QWidget* parent) : QDialog(parent), logic_(SettingsFile()) {
    setObjectName("frmChangePassword");
    MakeFixedDialog(*this, "Change Password", 249, 121, false);
    txtOld = NewEdit(this, "txtOld", 8);
    txtNew1 = NewEdit(this, "txtNew1", 34);
    txtNew2 = NewEdit(this, "txtNew2", 60);
    Label1 = NewLabel(this, "Label1", "Old Password:", 8, txtOld);
    Label2 = NewLabel(this, "Label2", "New Password:", 34, txtNew1);
    Label3 = NewLabel(this, "Label3", "Retype new password:", 60, txtNew2);
    butOK = NewButton(this, "butOK", "OK", 44, 90);
    butOK->setDefault(true);
    butCancel = NewButton(this, "butCancel", "Cancel", 130, 90);
    setTabOrder(txtOld, txtNew1);
    setTabOrder(txtNew1, txtNew2);
    setTabOrder(txtNew2, butOK);
    setTabOrder(butOK, butCancel);

    UpdateControls();
    for (QLineEdit* edit : {txtOld, txtNew1, txtNew2})
        connect(edit, &QLineEdit::textChanged, this, [this] { UpdateControls(); });
    connect(butOK, &QPushButton::clicked, this,
            [this] { ShowOutcome(*this, logic_.OKClick(txtNew1->text().toStdString())); });
    connect(butCancel, &QPushButton::clicked, this, [this] { reject(); });
}

void TfrmChangePassword::UpdateControls() {
    const ChangePassword::Enabled on = logic_.ForTexts(
        txtOld->text().toStdString(), txtNew1->text().toStdString(), txtNew2->text().toStdString());
    for (QLineEdit* edit : {txtNew1, txtNew2}) {
        if (edit->isEnabled() != on.newBoxes) // a new style sheet would repolish at every key
            SetEditEnabled(*edit, on.newBoxes);
    }
    butOK->setEnabled(on.ok);
}

void TfrmChangePassword::SetEditEnabled(QLineEdit& edit, bool on) {
    edit.setEnabled(on);
    edit.setStyleSheet(on ? "lineedit-password-character: 42"
                          : "lineedit-password-character: 42; background: rgb(192, 192, 192)");
}

int TfrmChangePassword::ShowChangeDialog() {
    ShownModally = true;
    txtOld->clear();
    txtNew1->clear();
    txtNew2->clear();
    UpdateControls();
    txtOld->setFocus();
    return exec();
}

void TfrmChangePassword::reject() {
    ShowOutcome(*this, ChangePassword::CancelClick()); // Escape is the Cancel button
}

void TfrmChangePassword::closeEvent(QCloseEvent* event) {
    // The title bar's close: no message, nothing written.
    QDialog::done(Rejected);
    event->accept();
}

} // namespace dd
