#include "BoxWatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <utility>

namespace zarnik::staying {

BoxWatcher::BoxWatcher(std::function<void(const SeenBox&)> onShown)
    : onShown_(std::move(onShown)) {
    qApp->installEventFilter(this);
}

BoxWatcher::~BoxWatcher() { qApp->removeEventFilter(this); }

bool BoxWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show) return false;
    auto* box = qobject_cast<QMessageBox*>(watched);
    if (!box) return false;
    const QList<QAbstractButton*> buttons = box->buttons();
    last_ = {box->text(), box->windowTitle(), box->icon(),
             buttons.size() == 1 && box->standardButton(buttons[0]) == QMessageBox::Ok,
             box->windowModality() == Qt::ApplicationModal};
    const bool byKey = count_++ % 2;
    if (onShown_) onShown_(last_);
    // Queued, so it runs in the box's own loop once the box is fully up:
    // alternately the OK button and the Escape key, the two ways a player
    // dismisses it.
    QMetaObject::invokeMethod(
        box,
        [box = QPointer<QMessageBox>(box), byKey] {
            if (!box) return;
            if (byKey)
                QTest::keyClick(box, Qt::Key_Escape);
            else if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                ok->click();
            else
                box->reject();
        },
        Qt::QueuedConnection);
    return false;
}

}  // namespace zarnik::staying
