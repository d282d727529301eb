#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace dd {

// A modal message box with one OK button.
void ShowMessageBox(QWidget* parent, const QString& text, const QString& caption,
                    QMessageBox::Icon icon);

} // namespace dd
