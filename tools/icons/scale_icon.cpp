// Scales the program's large icon down to one of the theme sizes the desktop asks for.
// Usage: scale_icon IN.png OUT.png SIZE
// The result depends only on the input picture, so every build writes the same files.
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: scale_icon IN.png OUT.png SIZE\n");
        return 2;
    }
    bool ok = false;
    const int size = QString::fromLocal8Bit(argv[3]).toInt(&ok);
    const QImage source(QString::fromLocal8Bit(argv[1]));
    if (!ok || size < 1 || source.isNull()) {
        std::fprintf(stderr, "scale_icon: cannot read %s or size %s\n", argv[1], argv[3]);
        return 1;
    }
    // Smooth scaling averages every source pixel that falls into a target pixel, so thin lines
    // of the large picture stay visible at 16 pixels instead of vanishing between samples.
    const QImage scaled = source.convertToFormat(QImage::Format_ARGB32)
                              .scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (!scaled.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "scale_icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
