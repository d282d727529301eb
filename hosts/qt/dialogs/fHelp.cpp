#include "hosts/qt/dialogs/fHelp.h"

#include "hosts/qt/dialogs/DialogStyle.h"
#include "shell/DialogLayouts.h"
#include "shell/HelpText.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

namespace dd {

TfrmHelp::TfrmHelp(QWidget* parent) : QDialog(parent) {
    setObjectName("frmHelp");
    MakeFixedDialog(*this, HelpLayout::frame);
    butClose = NewButton(this, "butClose", HelpLayout::close);
    butClose->setDefault(true);
    memoHelp = new QPlainTextEdit(this);
    memoHelp->setObjectName("memoHelp");
    memoHelp->setGeometry(Rect(HelpLayout::text));
    memoHelp->setReadOnly(true);
    // Every line fits; should one not, it wraps at a blank rather than being cut or scrolled.
    memoHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memoHelp->setWordWrapMode(QTextOption::WordWrap);
    QStringList lines;
    for (const char* line : kHelpLines)
        lines << QString::fromUtf8(line);
    memoHelp->setPlainText(lines.join('\n'));
    connect(butClose, &QPushButton::clicked, this, &QDialog::reject);
}

HelpText TfrmHelp::Text() const {
    HelpText help;
    for (QTextBlock b = memoHelp->document()->begin(); b.isValid(); b = b.next())
        help.lines.push_back(b.text().toStdString());
    help.width = memoHelp->width();
    help.height = memoHelp->height();
    return help;
}

void TfrmHelp::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        reject();
    else
        QDialog::keyPressEvent(event);
}

} // namespace dd
