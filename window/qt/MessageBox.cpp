#include "MessageBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "WindowFrame.h"

namespace zarnik::qt {
namespace {

// Title bars hold, besides the title, an icon and up to three buttons, each
// about as wide as the bar is high.
constexpr int kTitleBarButtons = 4;
constexpr int kTitleBarHeight = 24;

// A QMessageBox, because that is what screen readers announce as an alert;
// only its placement is its own.
class PlainMessageBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);  // gives the box its final size
        // Qt centres the box by a guessed frame, and may not yet know the
        // owner's; both are asked of the window manager.
        QWidget& owner = *parentWidget();
        CentreFrameOn(*this, owner.geometry().marginsAdded(ExpectedFrame(owner)));
    }
};

}  // namespace

void ShowMessageBox(QWidget& owner, const QString& title, const QString& prompt) {
    PlainMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, &owner);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    // Styles put a tick or arrow on OK; the box is plain.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    // Without an icon QMessageBox still indents the text, by a spacer in the
    // icon's column and the spacing after it, 10 px right of centre.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->setHorizontalSpacing(0);
        if (QLayoutItem* indent = grid->itemAtPosition(0, 0); indent && indent->spacerItem())
            indent->spacerItem()->changeSize(0, 0);
    }
    // The named parts are QMessageBox's own, stable since Qt 4.
    if (auto* buttons = box.findChild<QDialogButtonBox*>(QStringLiteral("qt_msgbox_buttonbox")))
        buttons->setCenterButtons(true);
    if (auto* text = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        text->setAlignment(Qt::AlignCenter);
        // Qt leaves 50 px beside the title, too little for window managers
        // to show it next to their buttons.
        const QFontMetrics titleFont(QApplication::font("QMdiSubWindowTitleBar"));
        text->setMinimumWidth(titleFont.horizontalAdvance(title) + kTitleBarButtons * kTitleBarHeight);
    }
    box.exec();
}

}  // namespace zarnik::qt
