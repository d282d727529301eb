#include "hosts/qt/dialogs/Dravgetp.h"

#include "hosts/qt/Cursor.h"
#include "hosts/qt/KeyboardRedirect.h"
#include "hosts/qt/dialogs/DialogStyle.h"
#include "shell/DialogLayouts.h"
#include "shell/PasswordPrompt.h"

#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dd {

TfrmPassword::TfrmPassword(QWidget* parent) : QDialog(parent) {
    using Layout = PasswordPromptLayout;
    setObjectName("frmPassword");
    MakeFixedDialog(*this, Layout::frame);
    setWindowFlag(Qt::WindowStaysOnTopHint); // above the saver, which stays on top too
    Label1 = new QLabel(Text(Layout::prompt.text), this);
    Label1->setObjectName("Label1");
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(Rect(Layout::prompt.box));
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName("txtPassword");
    txtPassword->setGeometry(Rect(Layout::password));
    MakePasswordEdit(*txtPassword);
    butOK = NewButton(this, "butOK", Layout::ok);
    butOK->setDefault(true);
    butCancel = NewButton(this, "butCancel", Layout::cancel);
    connect(butOK, &QPushButton::clicked, this, [this] {
        ShowOutcome(*this,
                    {{}, PasswordPromptOK(txtPassword->text().toStdString(), ExpectedPassword)});
    });
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);
}

int TfrmPassword::Execute(const std::string& password) {
    ExpectedPassword = password;
    SetApplicationCursorHidden(false);
    txtPassword->setFocus();
    // Not modal: the saver's windows must still receive the keys the compositor gives them,
    // to hand them on to the prompt.
    const KeyboardRedirect keys(*this);
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    show();
    raise();
    activateWindow();
    loop.exec(QEventLoop::DialogExec);
    SetApplicationCursorHidden(true);
    return result();
}

} // namespace dd
