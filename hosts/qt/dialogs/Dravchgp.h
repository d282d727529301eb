#pragma once

// The change-password dialog: the old password opens the new boxes, two equal new entries
// enable OK, and OK stores the new password.

#include "shell/ChangePassword.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace dd {

class TfrmChangePassword : public QDialog {
public:
    explicit TfrmChangePassword(QWidget* parent = nullptr);

    // Opens the dialog modally from the Settings dialog, with empty boxes.
    int ShowChangeDialog();

    void SetEditEnabled(QLineEdit& edit, bool on);

    bool ShownModally = false;
    QLabel *Label1, *Label2, *Label3;
    QLineEdit *txtOld, *txtNew1, *txtNew2;
    QPushButton *butOK, *butCancel;

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void UpdateControls();

    ChangePassword logic_;
};

} // namespace dd
