#pragma once

// The Settings dialog: the key list, the background, sound and follow-star settings, and the
// way to the help window and the change-password dialog.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace dd {

class TfrmChangePassword;
class TfrmHelp;

class TfrmAbout : public QDialog {
public:
    TfrmAbout(TfrmHelp& help, TfrmChangePassword& changePassword, QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label7, *Label8;
    QGroupBox* GroupBox1;
    QLabel* Label6;
    QComboBox* comboBackground;
    QCheckBox *chkSound, *chkFollow;
    QPushButton *butHelp, *butPassword, *butOK, *butCancel;

private:
    void CreateLabels();
    void CreateSettings();
    void CreateButtons();
    void ReadSettings();
    void TakeTheKeyboardBack();

    TfrmHelp& frmHelp_;
    TfrmChangePassword& frmChangePassword_;
};

} // namespace dd
