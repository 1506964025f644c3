// What screen readers meet in the window. Qt's own interfaces show the window
// as a filler with every child widget in it, hidden ones too, and a cell as
// a plain push button; these show the window as a frame holding only the 26
// buttons, and each cell's flip as its checked and pressed state. (Qt's
// AT-SPI bridge maps no role to a toggle button, so a cell stays a push
// button that is pressed while turned.)
#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace zarnik::qt {

// The factory for QAccessible::installFactory.
QAccessibleInterface* AccessibleFactory(const QString& className, QObject* object);

}  // namespace zarnik::qt
