// The program's message: a plain box over the window it belongs to.
#pragma once

#include <QString>
#include <QWidget>

namespace zarnik::qt {

// Shows `prompt` under `title` with one OK button, modal and centred over
// `owner`, and returns once it is dismissed.
void ShowMessageBox(QWidget& owner, const QString& title, const QString& prompt);

}  // namespace zarnik::qt
