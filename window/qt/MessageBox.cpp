#include "MessageBox.h"

#include <QApplication>
#include <QDialogButtonBox>
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
        // Qt centres the box by a guessed frame; this centres the real one.
        CentreFrameOn(*this, parentWidget()->frameGeometry());
    }
};

}  // namespace

void ShowMessageBox(QWidget& owner, const QString& title, const QString& prompt) {
    PlainMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, &owner);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    // Styles put a tick or arrow on OK; the box is plain.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    // The named parts are QMessageBox's own, stable since Qt 4. The icon's
    // column stays in the layout even when empty, pushing the text right.
    if (auto* icon = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"))) icon->hide();
    if (auto* buttons = box.findChild<QDialogButtonBox*>(QStringLiteral("qt_msgbox_buttonbox")))
        buttons->setCenterButtons(true);
    if (auto* text = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        text->setAlignment(Qt::AlignCenter);
        // Qt sizes the box by its text alone, too narrow for window managers
        // to show the title beside their buttons.
        const QFontMetrics titleFont(QApplication::font("QMdiSubWindowTitleBar"));
        text->setMinimumWidth(titleFont.horizontalAdvance(title) + kTitleBarButtons * kTitleBarHeight);
    }
    box.exec();
}

}  // namespace zarnik::qt
