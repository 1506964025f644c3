#include "MessageBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "WindowFrame.h"

namespace zarnik::qt {
namespace {

// Title bars hold, besides the title, an icon and up to three buttons, each
// about as wide as the bar is high. Some centre the title over the whole bar
// (Qt's own, where a Wayland compositor leaves the frame to the program), so
// it needs the three buttons' room on either side.
constexpr int kTitleBarButtons = 6;
constexpr int kTitleBarHeight = 24;

}  // namespace

MessageBox::MessageBox(QWidget& owner, const QString& title, const QString& prompt)
    : QDialog(&owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), label_(new QLabel(prompt, this)) {
    setWindowTitle(title);
    // Screen readers say an alert's name and skip a label that repeats it;
    // Orca 48 would skip the prompt otherwise, as a label of one word.
    setAccessibleName(prompt);
    setWindowModality(Qt::ApplicationModal);
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignCenter);
    // Wide enough for window managers to show the whole title beside their buttons.
    const QFontMetrics titleFont(QApplication::font("QMdiSubWindowTitleBar"));
    label_->setMinimumWidth(titleFont.horizontalAdvance(title) + kTitleBarButtons * kTitleBarHeight);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setCenterButtons(true);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setIcon(QIcon());          // styles put a tick on it; the box is plain
    ok->installEventFilter(this);  // the box's one focus: its keys go there first
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool MessageBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
        return repeats_.Repeats(*static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

void MessageBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);  // gives the box its final size
    // Qt may not know the owner's frame yet either; both are asked of the
    // window manager.
    QWidget& owner = *parentWidget();
    CentreFrameOn(*this, owner.geometry().marginsAdded(ExpectedFrame(owner)));
}

void ShowMessageBox(QWidget& owner, const QString& title, const QString& prompt) {
    MessageBox(owner, title, prompt).exec();
}

}  // namespace zarnik::qt
