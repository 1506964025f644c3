// What screen readers meet in the window. Qt's own interfaces show the window
// as a filler with every child widget in it, hidden ones too, and a cell as
// a plain push button; these show the window as a frame holding only the 26
// buttons, each cell as a check box checked while turned, the cleared
// message as an alert, and the announcer as a status bar with a
// notification in it.
#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace zarnik::qt {

// The factory for QAccessible::installFactory.
QAccessibleInterface* AccessibleFactory(const QString& className, QObject* object);

}  // namespace zarnik::qt
