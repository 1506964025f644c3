#include "KeyRepeats.h"

#include <QGuiApplication>

namespace zarnik::qt {

bool KeyRepeats::Repeats(const QKeyEvent& event) {
    static const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
    const bool repeat = event.isAutoRepeat() || (x11 && event.type() == QEvent::KeyPress &&
                                                 event.key() == releasedKey_ && event.timestamp() == releasedAt_);
    if (event.type() == QEvent::KeyRelease) {
        releasedKey_ = event.key();
        releasedAt_ = event.timestamp();
    }
    return repeat;
}

}  // namespace zarnik::qt
