// Dismisses every message box once shown, by its OK button and by Escape in
// turn, from inside the box's own loop, so that a clearing click returns.
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
        if (onShown_) onShown_(*box);
        const auto* buttons = count_++ % 2 ? nullptr : box->findChild<QDialogButtonBox*>();
        QPushButton* ok = buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr;
        // Queued, to run in the box's own loop once it is up.
        const auto dismiss = [box = QPointer(box), ok] {
            if (box) ok ? ok->click() : QTest::keyClick(box, Qt::Key_Escape);
        };
        QMetaObject::invokeMethod(box, dismiss, Qt::QueuedConnection);
        return false;
    }

private:
    std::function<void(const qt::MessageBox&)> onShown_;
    int count_ = 0;
};

}  // namespace zarnik::staying
