#include "hosts/qt/MessageBoxes.h"

namespace dd {

void ShowMessageBox(QWidget* parent, const QString& text, const QString& caption,
                    QMessageBox::Icon icon) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.setObjectName("MessageBox");
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

} // namespace dd
