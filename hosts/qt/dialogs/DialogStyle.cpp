#include "hosts/qt/dialogs/DialogStyle.h"

#include "hosts/qt/MessageBoxes.h"
#include "platform/gfx/Font.h"
#include "shell/DialogLayouts.h"
#include "shell/DialogOutcome.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace dd {

void MakeFixedDialog(QDialog& dialog, const DialogFrameLayout& frame) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (frame.systemMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    dialog.setWindowFlags(flags);
    dialog.setWindowTitle(Text(frame.caption));
    dialog.setFixedSize(frame.width, frame.height);
    dialog.setFont(DialogFont());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    dialog.move(screen.center() - QPoint(frame.width / 2, frame.height / 2));
}

QRect Rect(const ControlBox& box) {
    return {box.left, box.top, box.width, box.height};
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont DialogFont() {
    // The dialogs were laid out for a narrow 11-pixel system font; the game's narrow face at
    // 12 pixels, smoothed, fits them and reads as easily.
    QFont font(QString::fromLatin1(kTextFace));
    font.setPixelSize(12);
    return font;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/dravelin-didazi.png").arg(size));
    return icon;
}

void UseProgramLook() {
    // Windows made by Qt itself, the message boxes, take these too.
    QApplication::setFont(DialogFont());
    QApplication::setWindowIcon(ProgramIcon());
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

QPushButton* NewButton(QWidget* parent, const char* name, const ControlLayout& layout) {
    auto* button = new QPushButton(Text(layout.text), parent);
    button->setObjectName(name);
    button->setGeometry(Rect(layout.box));
    return button;
}

void MakePasswordEdit(QLineEdit& edit) {
    edit.setEchoMode(QLineEdit::Password);
    edit.setStyleSheet("lineedit-password-character: 42"); // '*'
}

} // namespace dd
