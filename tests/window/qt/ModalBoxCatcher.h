// Watches for application-modal message boxes while a test drives the
// window, records what each one said, and presses its OK button, so that a
// click which opens a box returns to the test.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

namespace zarnik::qt::testing {

struct CaughtBox {
    QString text;
    QString title;
    QMessageBox::Icon icon;
    int buttons;          // number of buttons offered
    bool okIsTheButton;   // the one button is OK
    bool applicationModal;
};

class ModalBoxCatcher final {
public:
    // `onShown` runs while each box is up, before it is dismissed.
    explicit ModalBoxCatcher(std::function<void()> onShown = {});

    const std::vector<CaughtBox>& boxes() const { return boxes_; }

private:
    void Poll();

    QTimer timer_;
    std::function<void()> onShown_;
    std::vector<CaughtBox> boxes_;
    bool busy_ = false;  // onShown may spin the event loop
};

}  // namespace zarnik::qt::testing
