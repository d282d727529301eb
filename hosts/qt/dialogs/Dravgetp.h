#pragma once

// The password prompt: one try at the password in force before the saver may end.

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace dd {

class TfrmPassword : public QDialog {
public:
    explicit TfrmPassword(QWidget* parent = nullptr);

    // Shows the prompt with the default cursor, holding every key the program receives until
    // it closes, and returns its result: Accepted only when exactly `password` was entered.
    int Execute(const std::string& password);

    std::string ExpectedPassword;
    QLabel* Label1;
    QLineEdit* txtPassword;
    QPushButton* butOK;
    QPushButton* butCancel;
};

} // namespace dd
