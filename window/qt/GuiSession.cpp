#include "GuiSession.h"

#include <QAccessible>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Accessibility.h"
#include "AppInfo.h"
#include "Layout.h"
#include "Toolkit.h"

namespace zarnik::qt {
namespace {

// Messages Qt logs while it connects to the display. They are held back so
// that a failed connection ends in one line of ours; on success they are
// passed on unchanged.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage> held;
QtMessageHandler previousHandler = nullptr;

void HoldMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        // Qt aborts after a fatal message, leaving a core dump for what is
        // only a missing display; exit plainly first.
        const QByteArray display = qgetenv("DISPLAY");
        std::fprintf(stderr, "zarnik: cannot open a display (DISPLAY=%s): no Qt platform could start\n",
                     display.isEmpty() ? "unset" : display.constData());
        std::fflush(stderr);
        std::_Exit(kFatalExitCode);
    }
    held.push_back({type, QByteArray(context.category), text});
}

}  // namespace

GuiSession::GuiSession(const char* programName) : name_(programName ? programName : "zarnik") {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("zarnik: cannot open a display: neither DISPLAY nor WAYLAND_DISPLAY is set\n", stderr);
        std::exit(kFatalExitCode);
    }
    argv_[0] = name_.data();

    previousHandler = qInstallMessageHandler(HoldMessages);
    app_ = std::make_unique<QApplication>(argc_, argv_);
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& m : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, m.category.constData());
        qt_message_output(m.type, context, m.text);
    }
    held.clear();
    quitOnSignal_ = std::make_unique<QuitOnSignal>();
    QAccessible::installFactory(AccessibleFactory);

    // The window's WM_CLASS is "zarnik", "Zarnik" (the second from the
    // application name), which the desktop entry's StartupWMClass names, so
    // that docks and task bars tie the window to its launcher and icon.
    QCoreApplication::setApplicationName(QStringLiteral(ZARNIK_TITLE));
    QGuiApplication::setDesktopFileName(QStringLiteral(ZARNIK_APP_ID));

    // The program speaks Japanese whatever the system's language, and so do
    // Qt's own words (the OK button) where Qt's translations are installed.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    translator_ = std::make_unique<QTranslator>();
    if (translator_->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator_.get());

    // The window asks for the Windows Japanese face by name. It stands for the
    // Japanese gothic faces of Debian's font packages that can satisfy the
    // package's font dependency (fonts-japanese-gothic), proportional faces
    // first, as the Windows face is, and IPA's first of those, as its widths
    // match. Named rather than asked of fontconfig, which Qt would otherwise
    // not load before the window shows, so that start-up stays quick.
    const QString face =
        QString::fromUtf8(layout::kJapaneseFace.data(), static_cast<qsizetype>(layout::kJapaneseFace.size()));
    QFont::insertSubstitutions(
        face, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"), QStringLiteral("VL PGothic"),
               QStringLiteral("TakaoPGothic"), QStringLiteral("UmePlus CLP Gothic"), QStringLiteral("Mona"),
               QStringLiteral("IPAGothic"), QStringLiteral("VL Gothic"), QStringLiteral("TakaoGothic"),
               QStringLiteral("UmePlus CL Gothic"), QStringLiteral("Noto Sans CJK JP")});
}

GuiSession::~GuiSession() = default;

int GuiSession::Run() { return app_->exec(); }

void GuiSession::Fatal(std::string_view what) {
    const QString text = QString::fromUtf8(what.data(), static_cast<qsizetype>(what.size()));
    std::fprintf(stderr, "zarnik: fatal error: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
    // Offscreen there is nobody to read or dismiss a box.
    if (qApp && QGuiApplication::platformName() != QLatin1String("offscreen"))
        QMessageBox::critical(nullptr, QStringLiteral(ZARNIK_TITLE), text);
    // Static destructors would run with the application still alive on
    // main's stack; end without them.
    std::_Exit(kFatalExitCode);
}

}  // namespace zarnik::qt
