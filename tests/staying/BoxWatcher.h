// Dismisses every message box the moment it is shown, alternately by its OK
// button and by Escape as a player would, so that a click which clears the
// board returns at once. An application-wide event filter: it costs nothing
// between boxes and dismisses inside each box's own loop, thousands of times.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "MessageBox.h"

namespace zarnik::staying {

class BoxWatcher final : public QObject {
public:
    // `onShown` runs while each box is up, before it is dismissed.
    explicit BoxWatcher(std::function<void(const qt::MessageBox&)> onShown = {}) : onShown_(std::move(onShown)) {
        qApp->installEventFilter(this);
    }
    ~BoxWatcher() override { qApp->removeEventFilter(this); }

    int count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = event->type() == QEvent::Show ? qobject_cast<qt::MessageBox*>(watched) : nullptr;
        if (!box) return false;
        const bool byKey = count_++ % 2;
        if (onShown_) onShown_(*box);
        // Queued, so that it runs in the box's own loop once the box is fully up.
        QMetaObject::invokeMethod(
            box,
            [box = QPointer<qt::MessageBox>(box), byKey] {
                if (!box) return;
                if (byKey)
                    QTest::keyClick(box, Qt::Key_Escape);
                else if (auto* buttons = box->findChild<QDialogButtonBox*>(); buttons && buttons->button(QDialogButtonBox::Ok))
                    buttons->button(QDialogButtonBox::Ok)->click();
                else
                    box->reject();
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    std::function<void(const qt::MessageBox&)> onShown_;
    int count_ = 0;
};

}  // namespace zarnik::staying
