#include "hosts/qt/dialogs/Dravchgp.h"

#include "hosts/qt/dialogs/DialogStyle.h"
#include "shell/DialogLayouts.h"
#include "shell/Settings.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dd {
namespace {

using Layout = ChangePasswordLayout;

QLineEdit* NewEdit(QWidget* parent, const char* name, const Layout::Row& row) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(Rect(row.EditBox()));
    MakePasswordEdit(*edit);
    return edit;
}

QLabel* NewLabel(QWidget* parent, const char* name, const Layout::Row& row, QLineEdit* buddy) {
    auto* label = new QLabel(Text(row.label), parent);
    label->setObjectName(name);
    label->setGeometry(Rect(row.LabelBox()));
    label->setBuddy(buddy);
    return label;
}

} // namespace

TfrmChangePassword::TfrmChangePassword(QWidget* parent) : QDialog(parent), logic_(SettingsFile()) {
    setObjectName("frmChangePassword");
    MakeFixedDialog(*this, Layout::frame);
    txtOld = NewEdit(this, "txtOld", Layout::oldPassword);
    txtNew1 = NewEdit(this, "txtNew1", Layout::newPassword);
    txtNew2 = NewEdit(this, "txtNew2", Layout::retyped);
    Label1 = NewLabel(this, "Label1", Layout::oldPassword, txtOld);
    Label2 = NewLabel(this, "Label2", Layout::newPassword, txtNew1);
    Label3 = NewLabel(this, "Label3", Layout::retyped, txtNew2);
    butOK = NewButton(this, "butOK", Layout::ok);
    butOK->setDefault(true);
    butCancel = NewButton(this, "butCancel", Layout::cancel);

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
