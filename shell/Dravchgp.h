#pragma once

// The change-password dialog: the old password opens the new boxes, two equal new entries
// enable OK, and OK stores the new password.

#include <QDialog>
#include <string>

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
    void UpdateOKButton();

    std::string StoredPassword;
    bool ShownModally = false;
    QLabel *Label1, *Label2, *Label3;
    QLineEdit *txtOld, *txtNew1, *txtNew2;
    QPushButton *butOK, *butCancel;

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OpenNewBoxes(bool on);
    void butOKClick();
    void butCancelClick();
};

} // namespace dd
