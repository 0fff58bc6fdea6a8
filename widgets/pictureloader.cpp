#include "widgets/pictureloader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QResource>

#include <cstring>

#include "widgets/jpeg.h"

namespace zeitrad::widgets {

namespace {

constexpr char decodedSignature[] = "ZPIXELS1";
constexpr qsizetype signatureSize = sizeof(decodedSignature) - 1;
constexpr qsizetype headerSize = signatureSize + 2 * sizeof(quint32);
// Larger than any picture of the program, small enough that the size cannot overflow.
constexpr quint32 largestSide = 16384;

// `lasting`: the data stays where it is for the whole run (the program's resources), so the
// picture may show it in place.
QImage fromDecoded(const QByteArray& data, bool lasting) {
    if (data.size() < headerSize)
        return {};
    quint32 width = 0, height = 0;
    std::memcpy(&width, data.constData() + signatureSize, sizeof width);
    std::memcpy(&height, data.constData() + signatureSize + sizeof width, sizeof height);
    if (width == 0 || height == 0 || width > largestSide || height > largestSide ||
        data.size() != headerSize + qsizetype(width) * height * 4)
        return {};
    const auto* pixels = reinterpret_cast<const uchar*>(data.constData()) + headerSize;
    const QImage inPlace(pixels, int(width), int(height), int(width) * 4, QImage::Format_RGB32);
    // Pixels not on a 32-bit boundary are copied too: the painter reads them as whole words.
    if (!lasting || reinterpret_cast<quintptr>(pixels) % alignof(quint32) != 0)
        return inPlace.copy();
    return inPlace;
}

} // namespace

QImage loadPicture(const QString& resource) {
    if (resource.startsWith(QLatin1Char(':'))) {
        const QResource stored(resource);
        if (stored.isValid() && stored.compressionAlgorithm() == QResource::NoCompression) {
            const auto data = QByteArray::fromRawData(reinterpret_cast<const char*>(stored.data()),
                                                      stored.size());
            if (data.startsWith(decodedSignature))
                return fromDecoded(data, true);
        }
    }
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray data = file.readAll();
    if (data.startsWith(decodedSignature))
        return fromDecoded(data, false);
    if (data.startsWith("\xFF\xD8"))
        return decodeJpeg(data);
    // Qt reads PNG and BMP itself; naming the format spares it loading every image plugin to ask
    // which one reads the data.
    const char* format = data.startsWith("\x89PNG") ? "png" : data.startsWith("BM") ? "bmp" : "";
    QBuffer buffer(&data);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(*format == 0);
    return reader.read();
}

QByteArray keepDecoded(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const quint32 width = rgb.width(), height = rgb.height();
    QByteArray data(decodedSignature, signatureSize);
    data.append(reinterpret_cast<const char*>(&width), sizeof width);
    data.append(reinterpret_cast<const char*>(&height), sizeof height);
    for (int y = 0; y < rgb.height(); ++y)
        data.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), rgb.width() * 4);
    return data;
}

} // namespace zeitrad::widgets
