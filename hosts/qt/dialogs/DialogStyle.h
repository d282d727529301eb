#pragma once

#include <QFont>
#include <QIcon>
#include <QRect>
#include <QString>
#include <string_view>

class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

namespace dd {

struct ControlBox;
struct ControlLayout;
struct DialogFrameLayout;
struct DialogOutcome;

// A dialog of the frame's caption and fixed client size, centred on the screen.
void MakeFixedDialog(QDialog& dialog, const DialogFrameLayout& frame);
QRect Rect(const ControlBox& box);
QString Text(std::string_view text);
// The face of every dialog and message box.
QFont DialogFont();
// The program's picture, drawn with its data, in every size it is installed in.
QIcon ProgramIcon();
// Gives every window the program opens, message boxes too, its icon and the dialogs' face.
void UseProgramLook();
// Shows the outcome's message box over `dialog`, then ends the dialog as the outcome says.
void ShowOutcome(QDialog& dialog, const DialogOutcome& outcome);
QPushButton* NewButton(QWidget* parent, const char* name, const ControlLayout& layout);
// An edit box that shows a star for each character.
void MakePasswordEdit(QLineEdit& edit);

} // namespace dd
