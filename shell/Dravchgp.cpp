#include "shell/Dravchgp.h"

#include "platform/core/Exception.h"
#include "platform/qt/MessageBoxes.h"
#include "shell/DialogStyle.h"
#include "shell/Entry.h"
#include "shell/Settings.h"

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

TfrmChangePassword::TfrmChangePassword(QWidget* parent) : QDialog(parent) {
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

    ShownModally = false;
    StoredPassword = SettingsFile().ReadString(kSettingsSection, kKeyPassword, "");
    OpenNewBoxes(StoredPassword.empty());

    connect(txtOld, &QLineEdit::textChanged, this, [this] {
        const bool on = txtOld->text().toStdString() == StoredPassword;
        SetEditEnabled(*txtNew1, on);
        SetEditEnabled(*txtNew2, on);
        UpdateOKButton();
    });
    connect(txtNew1, &QLineEdit::textChanged, this, [this] { UpdateOKButton(); });
    connect(txtNew2, &QLineEdit::textChanged, this, [this] { UpdateOKButton(); });
    connect(butOK, &QPushButton::clicked, this, [this] { butOKClick(); });
    connect(butCancel, &QPushButton::clicked, this, [this] { butCancelClick(); });
}

void TfrmChangePassword::OpenNewBoxes(bool on) {
    SetEditEnabled(*txtNew1, on);
    SetEditEnabled(*txtNew2, on);
    butOK->setEnabled(on);
}

void TfrmChangePassword::SetEditEnabled(QLineEdit& edit, bool on) {
    edit.setEnabled(on);
    edit.setStyleSheet(on ? "lineedit-password-character: 42"
                          : "lineedit-password-character: 42; background: rgb(192, 192, 192)");
}

void TfrmChangePassword::UpdateOKButton() {
    butOK->setEnabled(txtNew1->isEnabled() && txtNew1->text() == txtNew2->text());
}

int TfrmChangePassword::ShowChangeDialog() {
    ShownModally = true;
    txtOld->clear();
    txtNew1->clear();
    txtNew2->clear();
    OpenNewBoxes(StoredPassword.empty());
    txtOld->setFocus();
    return exec();
}

void TfrmChangePassword::butOKClick() {
    const std::string password = txtNew1->text().toStdString();
    try {
        SettingsFile().WriteString(kSettingsSection, kKeyPassword, password);
    } catch (const Exception& e) {
        ShowErrorReport(this, e);
        return;
    }
    StoredPassword = password;
    ShowMessageBox(this, "Your password has been changed.", "Message", QMessageBox::Information);
    done(Accepted);
}

void TfrmChangePassword::butCancelClick() {
    ShowMessageBox(this, "Your password has NOT been changed.", "Message", QMessageBox::Warning);
    done(Rejected);
}

void TfrmChangePassword::reject() {
    butCancelClick(); // Escape is the Cancel button
}

void TfrmChangePassword::closeEvent(QCloseEvent* event) {
    // The title bar's close: no message, nothing written.
    QDialog::done(Rejected);
    event->accept();
}

} // namespace dd
