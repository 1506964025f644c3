// The program's message: a plain box over the window it belongs to, the
// prompt centred above one centred OK button, no icon. A dialog of its own
// rather than a QMessageBox, whose layout can be changed only through its
// private children; screen readers meet it as an alert all the same
// (Accessibility.cpp).
#pragma once

#include <QDialog>
#include <QLabel>
#include <QString>

#include "KeyRepeats.h"

namespace zarnik::qt {

class MessageBox final : public QDialog {
    Q_OBJECT

public:
    // Application-modal, titled `title`, owned by `owner`.
    MessageBox(QWidget& owner, const QString& title, const QString& prompt);

    QString prompt() const { return label_->text(); }

protected:
    // A key still held from the move that cleared the board repeats into the
    // box, and the OK button would take the first repeat of Enter; the box
    // waits for a fresh press instead.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Centres the box's frame on its owner's, as the window manager will
    // frame it, before it first appears.
    void showEvent(QShowEvent* event) override;

private:
    QLabel* label_;
    KeyRepeats repeats_;
};

// Shows the box and returns once the player has dismissed it.
void ShowMessageBox(QWidget& owner, const QString& title, const QString& prompt);

}  // namespace zarnik::qt
