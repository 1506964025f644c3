// Tells the repeats of a held key from fresh presses. Qt marks repeats
// (QKeyEvent::isAutoRepeat), but under X11, which repeats a held key as a
// release and a press with one time stamp, only when the press has already
// come in as Qt handles the release: a busy machine does not promise that.
#pragma once

#include <QKeyEvent>

namespace zarnik::qt {

class KeyRepeats final {
public:
    // To be called with every key press and release a widget gets, in
    // order: whether `event` only repeats a key held down.
    bool Repeats(const QKeyEvent& event);

private:
    int releasedKey_ = 0;
    quint64 releasedAt_ = 0;
};

}  // namespace zarnik::qt
