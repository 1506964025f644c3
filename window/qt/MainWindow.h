// The program's one window, Form1: the textured background, the 5 x 5 cell
// buttons, the new-game button, the hidden counter label and the two hidden
// tile holders, at the fixed geometry of Layout.h. It is the Qt toolkit for
// the event handlers, and delivers its clicks to them.
#pragma once

#include <QLabel>
#include <QWidget>
#include <array>
#include <memory>

#include "Announcer.h"
#include "Layout.h"
#include "PictureButton.h"
#include "PictureHolder.h"
#include "QtPicture.h"
#include "Toolkit.h"

namespace zarnik::qt {

class MainWindow final : public QWidget, public Toolkit {
    Q_OBJECT

public:
    MainWindow();

    // Routes the cell buttons' and the new-game button's clicks to `events`
    // for as long as the returned object lives; declared after `events`, it
    // goes first, so no click can reach a handler that is gone.
    [[nodiscard]] std::unique_ptr<QObject> ConnectEvents(FormEvents& events);

    // Shows the window, frame included, centred on its screen's free area
    // where the platform lets a program place its windows, with the focus on
    // the first cell.
    void ShowCentred();

    void SetCellFaceColour(CellIndex cell, Colour colour) override;
    void SetCellPicture(CellIndex cell, const Picture& picture) override;
    void SetLabelCaption(std::string_view text) override;
    void Announce(std::string_view phrase) override;
    const Picture& HolderPicture(Holder holder) override;
    void ShowMessage(std::string_view prompt, std::string_view title) override;
    [[noreturn]] void Fatal(std::string_view what) override;

    PictureButton* Command1(int k) const { return command1_.at(static_cast<std::size_t>(k)); }
    PictureButton* Command2() const { return command2_; }
    // The buttons by tab order: the cells, then the new-game button.
    PictureButton* Control(int tabIndex) const {
        return tabIndex == layout::kCommand2TabIndex ? command2_ : Command1(tabIndex);
    }
    QLabel* Label1() const { return label1_; }
    PictureHolder* Picture1() const { return picture1_; }
    PictureHolder* Picture2() const { return picture2_; }

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The arrow keys the buttons pass up: the focus moves within the grid.
    void keyPressEvent(QKeyEvent* event) override;

private:
    PictureButton& Cell(CellIndex cell);

    QtPicture backdrop_;
    QtPicture resetFace_;
    PictureHolder* picture1_;
    PictureHolder* picture2_;
    std::array<PictureButton*, kCells> command1_{};
    PictureButton* command2_;
    QLabel* label1_;
    Announcer* announcer_;
};

}  // namespace zarnik::qt
