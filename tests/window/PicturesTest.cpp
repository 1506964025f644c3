// The committed pictures in window/images are what the generator makes, byte
// for byte; the generator reports misuse. (The pictures themselves are
// judged where they are shown: the window tests and the real games.)
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "Pictures.h"

TEST(Pictures, TheGeneratorReproducesEveryFileByteForByteAndReportsMisuse) {
    QTemporaryDir dir;
    QProcess run;
    run.start(ZARNIK_IMAGEGEN, {dir.path()});
    ASSERT_TRUE(run.waitForFinished() && run.exitCode() == 0) << run.readAllStandardError().toStdString();
    for (const auto& [name, resource] : zarnik::pictures::kFiles) {
        const QString file = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        QFile fresh(dir.filePath(file)), committed(ZARNIK_IMAGES_DIR "/" + file);
        ASSERT_TRUE(fresh.open(QIODevice::ReadOnly) && committed.open(QIODevice::ReadOnly)) << name;
        EXPECT_TRUE(fresh.readAll() == committed.readAll()) << name << ": run `make images` and commit them";
    }
    run.start(ZARNIK_IMAGEGEN, {});
    EXPECT_TRUE(run.waitForFinished() && run.exitCode() == 2 && run.readAllStandardError().contains("usage"));
    run.start(ZARNIK_IMAGEGEN, {ZARNIK_IMAGES_DIR "/AppIcon.ico/out"});  // a path under a file
    EXPECT_TRUE(run.waitForFinished() && run.exitCode() == 1 && run.readAllStandardError().contains("zarnik_imagegen:"));
}
