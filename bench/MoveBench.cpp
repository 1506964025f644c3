// Click-to-repainted latency of a move, in process and offscreen, through the
// real window and event handlers. A move counts as repainted once every one
// of the 25 cell buttons (the refresh pass marks them all) has painted and
// the event loop has flushed the window: from the press of the click to the
// return of the event loop pass that did it. Prints p50_ms= and p99_ms=.
#include <QApplication>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "BoxWatcher.h"
#include "Form1.h"
#include "GuiSession.h"
#include "MainWindow.h"

namespace {

// Notes which cells have painted since it was last reset.
class PaintSpy final : public QObject {
public:
    explicit PaintSpy(const zarnik::qt::MainWindow& window) {
        for (int k = 0; k < 25; ++k) {
            window.Command1(k)->setProperty("cell", k);
            window.Command1(k)->installEventFilter(this);
        }
    }
    unsigned painted = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted |= 1u << watched->property("cell").toInt();
        return false;
    }
};

}  // namespace

int main(int, char** argv) {
    zarnik::qt::GuiSession session(argv[0]);
    zarnik::qt::MainWindow window;
    zarnik::Form1 form(window);
    const auto connection = window.ConnectEvents(form);
    form.Form_Load();
    window.ShowCentred();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fputs("move_bench: the window was never shown\n", stderr);
        return 1;
    }
    const zarnik::staying::BoxWatcher boxes;  // a clearing move must not block
    PaintSpy spy(window);
    constexpr unsigned kAllCells = (1u << 25) - 1;
    constexpr int kMoves = 10000;

    std::mt19937 rng(1);
    std::vector<double> ms;
    ms.reserve(kMoves);
    for (int i = 0; i < kMoves + 100; ++i) {  // the first 100 warm up
        const QPoint at = window.Command1(static_cast<int>(rng() % 25))->geometry().center();
        spy.painted = 0;
        const auto start = std::chrono::steady_clock::now();
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, at);
        while (spy.painted != kAllCells) QCoreApplication::processEvents();
        const auto end = std::chrono::steady_clock::now();
        if (i >= 100) ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&ms](double q) { return ms[static_cast<std::size_t>(q * (ms.size() - 1))]; };
    std::printf("moves=%d clears=%d p50_ms=%.3f p99_ms=%.3f max_ms=%.3f\n", kMoves, boxes.count(), at(0.50), at(0.99),
                ms.back());
    return 0;
}
