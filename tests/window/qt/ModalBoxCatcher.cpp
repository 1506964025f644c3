#include "ModalBoxCatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <utility>

namespace zarnik::qt::testing {

ModalBoxCatcher::ModalBoxCatcher(std::function<void()> onShown) : onShown_(std::move(onShown)) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
}

void ModalBoxCatcher::Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (busy_ || !box || !box->isVisible()) return;
    const QList<QAbstractButton*> buttons = box->buttons();
    boxes_.push_back({box->text(), box->windowTitle(), box->icon(),
                      static_cast<int>(buttons.size()),
                      buttons.size() == 1 && box->standardButton(buttons[0]) == QMessageBox::Ok,
                      box->windowModality() == Qt::ApplicationModal});
    busy_ = true;
    if (onShown_) onShown_();
    busy_ = false;
    if (!buttons.isEmpty()) buttons[0]->click();
}

}  // namespace zarnik::qt::testing
