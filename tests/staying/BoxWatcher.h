// Dismisses every message box the moment it is shown and remembers what it
// said, so that a click which clears the board returns to the caller at once.
// An application-wide event filter rather than a polling timer: it costs
// nothing between boxes, and the dismissal runs inside the box's own event
// loop, thousands of times in a row without slowing down.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <functional>

namespace zarnik::staying {

struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon;
    bool onlyOk;  // a single button, and it is OK
    bool applicationModal;
};

class BoxWatcher final : public QObject {
public:
    // `onShown` runs while each box is up, before it is dismissed.
    explicit BoxWatcher(std::function<void(const SeenBox&)> onShown = {});
    ~BoxWatcher() override;

    int count() const { return count_; }
    const SeenBox& last() const { return last_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const SeenBox&)> onShown_;
    SeenBox last_{};
    int count_ = 0;
};

}  // namespace zarnik::staying
