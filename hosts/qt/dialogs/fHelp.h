#pragma once

// The help window: the game's help text in a read-only box, closed by Close, Enter or Escape.

#include "shell/SaverHost.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace dd {

class TfrmHelp : public QDialog {
public:
    explicit TfrmHelp(QWidget* parent = nullptr);

    // The lines of memoHelp and its size, as the saver copies them.
    HelpText Text() const;

    QPlainTextEdit* memoHelp;
    QPushButton* butClose;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace dd
