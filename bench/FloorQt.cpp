// The least Qt Widgets program that maps a fixed 316 x 373 window: the floor
// that Zarnik's start-up time and memory are measured against.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(316, 373);
    window.show();
    return app.exec();
}
