#include "MainWindow.h"

#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "BuiltInImages.h"
#include "GuiSession.h"
#include "Layout.h"
#include "MessageBox.h"
#include "WindowFrame.h"

namespace zarnik::qt {
namespace {

// Qt measures widgets in logical pixels, 96 to the inch; the device pixel
// ratio takes care of denser screens.
constexpr int kLogicalDpi = 96;

QRect ToRect(const layout::TwipRect& twips) {
    const layout::PixelRect r = layout::ToPixels(twips, kLogicalDpi);
    return QRect(r.left, r.top, r.width, r.height);
}

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QFont JapaneseFont(const layout::FontSpec& spec) {
    QFont font(FromUtf8(spec.face), spec.points, QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace

MainWindow::MainWindow()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      backdrop_(LoadBuiltInBitmap(pictures::BackdropImage)),
      resetFace_(LoadBuiltInBitmap(pictures::ResetFaceImage)) {
    setWindowTitle(FromUtf8(layout::kCaption));
    const layout::PixelSize client = layout::ToPixels(layout::kClient, kLogicalDpi);
    setFixedSize(client.width, client.height);
    // The backdrop covers the whole client area; nothing to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);

    setWindowIcon(LoadBuiltInIcon());

    picture1_ = new PictureHolder(LoadBuiltInBitmap(pictures::TileStart), this);
    picture1_->setGeometry(ToRect(layout::kPicture1));
    picture2_ = new PictureHolder(LoadBuiltInBitmap(pictures::TileTurned), this);
    picture2_->setGeometry(ToRect(layout::kPicture2));

    // The cells' font, given once to the window, from which every child takes
    // it; the label has its own.
    setFont(JapaneseFont(layout::kCellFont));
    for (CellIndex k = 0; k < kCells; ++k) {
        auto* button = new PictureButton(this);
        button->setGeometry(ToRect(layout::Command1(k)));
        button->setCheckable(true);  // checked while turned, for screen readers
        button->setAccessibleName(FromUtf8(layout::CellName(k)));
        command1_[static_cast<std::size_t>(k)] = button;
    }

    command2_ = new PictureButton(this);
    command2_->setGeometry(ToRect(layout::kCommand2));
    command2_->setPicture(&resetFace_);
    command2_->setAccessibleName(FromUtf8(layout::kCommand2Name));

    label1_ = new QLabel(FromUtf8(layout::kLabel1Caption), this);
    label1_->setGeometry(ToRect(layout::kLabel1));
    label1_->setFont(JapaneseFont(layout::kLabelFont));
    label1_->hide();
    // Its caption changes with every move; with a name of its own, Qt does not
    // announce those changes to screen readers for a label nobody sees.
    label1_->setAccessibleName(label1_->text());
    announcer_ = new Announcer(*this);

    for (std::size_t k = 1; k < command1_.size(); ++k) setTabOrder(command1_[k - 1], command1_[k]);
    setTabOrder(command1_.back(), command2_);
    command1_.front()->setFocus();
}

std::unique_ptr<QObject> MainWindow::ConnectEvents(FormEvents& events) {
    // The connections live as long as their context object.
    auto context = std::make_unique<QObject>();
    for (CellIndex k = 0; k < kCells; ++k)
        connect(command1_[static_cast<std::size_t>(k)], &QAbstractButton::clicked, context.get(),
                [&events, k] { events.Command1_Click(k); });
    connect(command2_, &QAbstractButton::clicked, context.get(), [&events] { events.Command2_Click(); });
    return context;
}

void MainWindow::ShowCentred() {
    if (const QScreen* screen = this->screen()) CentreFrameOn(*this, screen->availableGeometry());
    show();
    activateWindow();
}

PictureButton& MainWindow::Cell(CellIndex cell) {
    return *command1_[static_cast<std::size_t>(RequireCell(*this, cell))];
}

void MainWindow::SetCellFaceColour(CellIndex cell, Colour colour) {
    Cell(cell).setFaceColour(QColor::fromRgb(ToRgb(RequireColour(*this, colour))));
}

void MainWindow::SetCellPicture(CellIndex cell, const Picture& picture) {
    PictureButton& button = Cell(cell);
    // Only the holders' own pictures are shown, by reference.
    const bool turned = &picture == &picture2_->picture();
    if (!turned && &picture != &picture1_->picture())
        Fatal(Text<>() << "cell " << cell << " was given a picture no holder owns");
    button.setPicture(static_cast<const QtPicture*>(&picture));
    // Every pass sets every cell; screen readers hear only of those that change.
    if (button.isChecked() != turned || button.accessibleDescription().isEmpty()) {
        button.setAccessibleDescription(FromUtf8(turned ? layout::kTurnedDescription : layout::kStartDescription));
        button.setChecked(turned);
    }
}

void MainWindow::SetLabelCaption(std::string_view text) { label1_->setText(FromUtf8(text)); }

void MainWindow::Announce(std::string_view phrase) { announcer_->Say(FromUtf8(phrase)); }

const Picture& MainWindow::HolderPicture(Holder holder) {
    return holder == Holder::Picture1 ? picture1_->picture() : picture2_->picture();
}

void MainWindow::ShowMessage(std::string_view prompt, std::string_view title) {
    ShowMessageBox(*this, FromUtf8(title), FromUtf8(prompt));
}

void MainWindow::Fatal(std::string_view what) { GuiSession::Fatal(what); }

void MainWindow::keyPressEvent(QKeyEvent* event) {
    static constexpr std::pair<int, layout::Arrow> kArrows[] = {{Qt::Key_Left, layout::Arrow::Left},
                                                                {Qt::Key_Right, layout::Arrow::Right},
                                                                {Qt::Key_Up, layout::Arrow::Up},
                                                                {Qt::Key_Down, layout::Arrow::Down}};
    for (const auto& [key, arrow] : kArrows) {
        if (event->key() != key) continue;
        // The window's own focus button passed the key up; asking the
        // application instead would find nothing while the window is not
        // active, as right after the cleared message closes.
        for (int control = 0; control <= layout::kCommand2TabIndex; ++control) {
            if (Control(control) != focusWidget()) continue;
            Control(layout::ArrowTarget(control, arrow))->setFocus(Qt::OtherFocusReason);
            break;
        }
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::changeEvent(QEvent* event) {
    // The window has one size. Window managers offer full screen (and some
    // maximise) even so, which would leave the board in the corner of a
    // black screen; the request is turned down.
    constexpr Qt::WindowStates kOtherSizes = Qt::WindowFullScreen | Qt::WindowMaximized;
    if (event->type() == QEvent::WindowStateChange && (windowState() & kOtherSizes))
        setWindowState(windowState() & ~kOtherSizes);
    QWidget::changeEvent(event);
}

void MainWindow::paintEvent(QPaintEvent*) {
    // Drawn once from the top-left at its own size; the window cuts the rest.
    QPainter painter(this);
    painter.drawPixmap(0, 0, backdrop_.ForDevice(devicePixelRatioF()));
}

}  // namespace zarnik::qt
