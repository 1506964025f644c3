// zarnik_picture_pixels OUT.cpp PICTURE...: writes the pictures' pixels as
// PicturePixels.h declares them, in the order given (that of pictures::Id),
// each image converted by Qt's own readers to the format the window draws
// from. Any picture that cannot be read stops the build.
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: zarnik_picture_pixels OUT.cpp PICTURE...\n", stderr);
        return 2;
    }
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        std::fprintf(stderr, "zarnik_picture_pixels: cannot write %s\n", argv[1]);
        return 1;
    }
    QTextStream out(&file);
    out << "// Written at build time by zarnik_picture_pixels from window/images: do not edit.\n"
           "#include \"PicturePixels.h\"\n\nnamespace zarnik::qt {\nnamespace {\n";
    QStringList pictures;
    for (int arg = 2; arg < argc; ++arg) {
        const QString path = QString::fromLocal8Bit(argv[arg]);
        const QString name = QFileInfo(path).baseName();
        QImageReader reader(path);
        QStringList frames;
        // The icon holds several images.
        for (int n = 0; n < std::max(1, reader.imageCount()); ++n) {
            QImage image;
            if (n == 0 || reader.jumpToImage(n)) image = reader.read();
            if (image.isNull()) {
                std::fprintf(stderr, "zarnik_picture_pixels: %s: %s\n", argv[arg], qPrintable(reader.errorString()));
                return 1;
            }
            const bool alpha = image.hasAlphaChannel();
            image.convertTo(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
            const QString array = QStringLiteral("k%1%2").arg(name).arg(n);
            out << "constexpr std::uint32_t " << array << "[] = {";
            for (int y = 0; y < image.height(); ++y) {
                const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
                for (int x = 0; x < image.width(); ++x)
                    out << ((x + y * image.width()) % 8 ? " " : "\n    ") << "0x" << Qt::hex << qSetFieldWidth(8)
                        << qSetPadChar(u'0') << row[x] << qSetFieldWidth(0) << Qt::dec << ",";
            }
            out << "\n};\n";
            frames << QStringLiteral("{%1, %2, QImage::%3, %4}")
                          .arg(image.width())
                          .arg(image.height())
                          .arg(alpha ? QStringLiteral("Format_ARGB32_Premultiplied") : QStringLiteral("Format_RGB32"),
                               array);
        }
        out << "constexpr PictureFrame k" << name << "[] = {" << frames.join(QStringLiteral(", ")) << "};\n\n";
        pictures << QStringLiteral("k") + name;
    }
    out << "}  // namespace\n\nconst std::span<const PictureFrame> kPictureFrames[] = {"
        << pictures.join(QStringLiteral(", ")) << "};\n\n}  // namespace zarnik::qt\n";
    out.flush();
    if (out.status() != QTextStream::Ok || !file.commit()) {
        std::fprintf(stderr, "zarnik_picture_pixels: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
