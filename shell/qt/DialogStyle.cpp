#include "shell/qt/DialogStyle.h"

#include "platform/gfx/Font.h"
#include "platform/qt/MessageBoxes.h"
#include "shell/DialogOutcome.h"
#include "shell/Entry.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace dd {

void MakeFixedDialog(QDialog& dialog, const QString& caption, int width, int height,
                     bool systemMenu) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (systemMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    dialog.setWindowFlags(flags);
    dialog.setWindowTitle(caption);
    dialog.setFixedSize(width, height);
    // The dialogs were laid out for a narrow 11-pixel system font; the game's narrow face at
    // 12 pixels, smoothed, fits them and reads as easily.
    QFont font(QString::fromLatin1(kTextFace));
    font.setPixelSize(12);
    dialog.setFont(font);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    dialog.move(screen.center() - QPoint(width / 2, height / 2));
}

QString ApplicationTitle() {
    return QString::fromUtf8(kApplicationTitle.data(),
                             static_cast<qsizetype>(kApplicationTitle.size()));
}

void ShowOutcome(QDialog& dialog, const DialogOutcome& outcome) {
    if (const auto& m = outcome.message) {
        const QMessageBox::Icon icon =
            m->icon == MessageIcon::Information   ? QMessageBox::Information
            : m->icon == MessageIcon::Exclamation ? QMessageBox::Warning
                                                  : QMessageBox::Critical;
        ShowMessageBox(&dialog, QString::fromStdString(m->text), QString::fromStdString(m->caption),
                       icon);
    }
    if (outcome.end != DialogEnd::StayOpen)
        dialog.done(outcome.end == DialogEnd::OK ? QDialog::Accepted : QDialog::Rejected);
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& text, int left, int top) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(left, top, 75, 25);
    return button;
}

void MakePasswordEdit(QLineEdit& edit) {
    edit.setEchoMode(QLineEdit::Password);
    edit.setStyleSheet("lineedit-password-character: 42"); // '*'
}

} // namespace dd
