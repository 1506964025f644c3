#include "Announcer.h"

#include <QAccessible>

namespace zarnik::qt {

Announcer::Announcer(QWidget& window) : QWidget(&window), notification_(new QWidget(this)) {
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void Announcer::Say(const QString& phrase) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(parentWidget(), phrase);
    QAccessible::updateAccessibility(&announcement);
#else
    notification_->setAccessibleName(phrase);
    QAccessibleEvent shown(notification_, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#endif
}

}  // namespace zarnik::qt
