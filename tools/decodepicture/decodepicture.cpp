// Writes a picture's decoded form for the program's resources (see widgets/pictureloader.h).
//
//   decodepicture PICTURE OUTPUT
#include <QSaveFile>

#include <cstdio>

#include "widgets/pictureloader.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: decodepicture PICTURE OUTPUT\n");
        return 2;
    }
    const QImage picture = zeitrad::widgets::loadPicture(QString::fromLocal8Bit(argv[1]));
    if (picture.isNull()) {
        std::fprintf(stderr, "decodepicture: %s cannot be decoded\n", argv[1]);
        return 1;
    }
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    const QByteArray data = zeitrad::widgets::keepDecoded(picture);
    if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size() || !out.commit()) {
        std::fprintf(stderr, "decodepicture: %s cannot be written\n", argv[2]);
        return 1;
    }
    return 0;
}
