#include "Accessibility.h"

#include <QAccessibleWidget>

#include "Announcer.h"
#include "MainWindow.h"
#include "MessageBox.h"

namespace zarnik::qt {
namespace {

class WindowAccessible final : public QAccessibleWidget {
public:
    explicit WindowAccessible(MainWindow* window) : QAccessibleWidget(window, QAccessible::Window) {}

    int childCount() const override { return layout::kCommand2TabIndex + 1; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        return QAccessible::queryAccessibleInterface(Window()->Control(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int index = 0; child && index < childCount(); ++index)
            if (child->object() == Window()->Control(index)) return index;
        return -1;
    }

private:
    MainWindow* Window() const { return static_cast<MainWindow*>(widget()); }
};

// A cell is a check box, checked while turned: Qt's AT-SPI bridge maps no
// role to a toggle button, and Orca speaks a check box's state as it
// changes. The new-game button is a push button.
class ButtonAccessible final : public QAccessibleWidget {
public:
    explicit ButtonAccessible(PictureButton* button)
        : QAccessibleWidget(button, button->isCheckable() ? QAccessible::CheckBox : QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const auto* button = static_cast<const PictureButton*>(widget());
        state.checkable = button->isCheckable();
        state.checked = button->isChecked();
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) static_cast<PictureButton*>(widget())->click();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

}  // namespace

QAccessibleInterface* AccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(MainWindow::staticMetaObject.className()))
        return new WindowAccessible(static_cast<MainWindow*>(object));
    if (className == QLatin1String(PictureButton::staticMetaObject.className()))
        return new ButtonAccessible(static_cast<PictureButton*>(object));
    if (className == QLatin1String(MessageBox::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<MessageBox*>(object), QAccessible::AlertMessage);
    if (className == QLatin1String(Announcer::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<Announcer*>(object), QAccessible::StatusBar);
    if (auto* widget = qobject_cast<QWidget*>(object); widget && qobject_cast<Announcer*>(widget->parent()))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}

}  // namespace zarnik::qt
