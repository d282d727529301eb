#pragma once

#include <QString>

class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

namespace dd {

struct DialogOutcome;

// A dialog of fixed client size, centred on the screen; `systemMenu` keeps the title bar's
// close icon, otherwise the title bar has none.
void MakeFixedDialog(QDialog& dialog, const QString& caption, int width, int height,
                     bool systemMenu);
// The application's title, the caption of its own messages.
QString ApplicationTitle();
// Shows the outcome's message box over `dialog`, then ends the dialog as the outcome says.
void ShowOutcome(QDialog& dialog, const DialogOutcome& outcome);
// A 75 x 25 push button named `name` at (left, top).
QPushButton* NewButton(QWidget* parent, const char* name, const QString& text, int left, int top);
// An edit box that shows a star for each character.
void MakePasswordEdit(QLineEdit& edit);

} // namespace dd
