// picgen: draws every picture of the program and writes it into a directory (the repo's assets/
// by default), from which the build embeds them.
//
//     picgen --list               lists the registered pictures
//     picgen [outdir] [names...]  draws all pictures, or only the named ones, into outdir
//
// Every picture is drawn with QPainter from fixed data, so repeated runs write the same pictures.
// Pictures register themselves from their own source files (see picture.h).

#include "jpegwrite.h"
#include "picture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QTextStream>

#include <algorithm>

namespace zeitrad::picgen {

namespace {

std::vector<Picture>& registry() {
    static std::vector<Picture> pictures;
    return pictures;
}

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

// The bits per pixel recorded in a BMP file's info header.
int bmpBitsPerPixel(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray header = file.read(30);
    if (header.size() < 30 || !header.startsWith("BM")) {
        return 0;
    }
    return static_cast<unsigned char>(header[28]) | static_cast<unsigned char>(header[29]) << 8;
}

// Draws one picture, checks it against what the screens expect and writes it.
bool writePicture(const Picture& picture, const QDir& dir) {
    const QString path = dir.filePath(picture.file);
    const QImage image = picture.draw();
    if (image.size() != picture.size) {
        err() << path << ": drawn at " << image.width() << "x" << image.height() << ", expected "
              << picture.size.width() << "x" << picture.size.height() << "\n";
        return false;
    }
    const QString suffix = QFileInfo(picture.file).suffix().toLower();
    if (suffix == "jpg") {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(encodeJpeg(image, picture.jpegQuality)) < 0) {
            err() << path << ": " << file.errorString() << "\n";
            return false;
        }
    } else if (suffix == "png" || suffix == "bmp") {
        // Qt writes an indexed image with at most 16 colours as a 4-bit file; the screens expect
        // a 256-colour bitmap.
        if (suffix == "bmp" &&
            (image.format() != QImage::Format_Indexed8 || image.colorCount() != 256)) {
            err() << path << ": a bitmap must be drawn as an indexed image with 256 colours\n";
            return false;
        }
        QImageWriter writer(path, suffix.toLatin1());
        if (!writer.write(image)) {
            err() << path << ": " << writer.errorString() << "\n";
            return false;
        }
    } else {
        err() << path << ": unknown picture format\n";
        return false;
    }
    // Read the file back: it must decode at the same size, and a bitmap must be 8 bits deep.
    const QImage written(path);
    if (written.size() != picture.size) {
        err() << path << ": written file does not decode at the expected size\n";
        return false;
    }
    if (suffix == "bmp" && bmpBitsPerPixel(path) != 8) {
        err() << path << ": written bitmap is not 8 bits per pixel\n";
        return false;
    }
    QTextStream(stdout) << path << "  " << picture.size.width() << "x" << picture.size.height()
                        << "\n";
    return true;
}

QString defaultOutputDir() {
    // The sources lie in tools/picgen/ of the repo; the pictures belong in its assets/.
    return QDir::cleanPath(QFileInfo(QStringLiteral(__FILE__)).absolutePath() +
                           QStringLiteral("/../../assets"));
}

} // namespace

bool registerPicture(Picture picture) {
    registry().push_back(std::move(picture));
    return true;
}

QString pictureName(const Picture& picture) {
    return QFileInfo(picture.file).completeBaseName();
}

std::vector<Picture> registeredPictures() {
    std::vector<Picture> pictures = registry();
    std::sort(pictures.begin(), pictures.end(),
              [](const Picture& a, const Picture& b) { return a.file < b.file; });
    return pictures;
}

} // namespace zeitrad::picgen

int main(int argc, char* argv[]) {
    using namespace zeitrad::picgen;
    // Drawing needs fonts but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // A QApplication, so that the sample overviews can be drawn by the program's own window.
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const std::vector<Picture> pictures = registeredPictures();

    if (args.contains("--help") || args.contains("-h")) {
        QTextStream(stdout) << "usage: picgen --list\n       picgen [outdir] [names...]\n";
        return 0;
    }
    if (args.contains("--list")) {
        for (const Picture& picture : pictures) {
            QTextStream(stdout) << pictureName(picture) << "  " << picture.file << "  "
                                << picture.size.width() << "x" << picture.size.height() << "\n";
        }
        return 0;
    }

    const QString outdir = args.isEmpty() ? defaultOutputDir() : args.takeFirst();
    for (const QString& name : args) {
        const bool known = std::any_of(pictures.begin(), pictures.end(), [&](const Picture& p) {
            return pictureName(p) == name || p.file == name;
        });
        if (!known) {
            QTextStream(stderr) << "picgen: no picture named " << name << " (see --list)\n";
            return 1;
        }
    }
    QDir dir(outdir);
    if (!dir.exists() && !QDir().mkpath(outdir)) {
        QTextStream(stderr) << "picgen: cannot create " << outdir << "\n";
        return 1;
    }
    bool ok = true;
    for (const Picture& picture : pictures) {
        if (args.isEmpty() || args.contains(pictureName(picture)) || args.contains(picture.file)) {
            ok = writePicture(picture, dir) && ok;
        }
    }
    return ok ? 0 : 1;
}
