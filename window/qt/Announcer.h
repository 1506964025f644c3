// Says a short phrase to screen readers without moving the focus. With Qt
// 6.8 and later it is an announcement (AT-SPI's object:announcement, which
// Orca speaks from version 45). Before, it is a notification that shows for
// a moment: Orca speaks a notification as it appears, and one inside a
// status bar without first naming its role. The announcer is that status
// bar, holding the notification; neither is ever visible.
#pragma once

#include <QString>
#include <QWidget>

namespace zarnik::qt {

class Announcer final : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget& window);

    void Say(const QString& phrase);

private:
    QWidget* notification_;
};

}  // namespace zarnik::qt
