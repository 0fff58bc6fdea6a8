// JPEG pictures are decoded with libjpeg, and the opening pictures are kept decoded; damaged data
// gives an empty picture, never a crash.
#include <QBuffer>
#include <QDirIterator>
#include <QtTest>

#include <cstring>

#include "widgets/jpeg.h"
#include "widgets/picture.h"
#include "widgets/pictureloader.h"

using zeitrad::widgets::decodeJpeg;

namespace {

QByteArray encode(const QImage& image, int quality = 95) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", quality);
    return data;
}

QImage testPattern() {
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, x < 32 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    return image;
}

} // namespace

class JpegTest : public QObject {
    Q_OBJECT
private slots:
    void decodesColoursAndSize();
    void damagedDataGivesNullImage_data();
    void damagedDataGivesNullImage();
    void everyEmbeddedJpegDecodes();
    void otherEmbeddedPicturesLoadAsQtReadsThem();
    void decodedPicturesAreTheirJpegsShownInPlace();
    void decodedFormRoundTripsAndRefusesDamage_data();
    void decodedFormRoundTripsAndRefusesDamage();
    void damagedPictureDrawsNothing();
};

void JpegTest::decodesColoursAndSize() {
    const QImage image = decodeJpeg(encode(testPattern()));
    QCOMPARE(image.size(), QSize(64, 48));
    const QColor left = image.pixelColor(10, 20);
    const QColor right = image.pixelColor(50, 20);
    QVERIFY(left.red() > 240 && left.blue() < 15);
    QVERIFY(right.blue() > 240 && right.red() < 15);
}

void JpegTest::damagedDataGivesNullImage_data() {
    QTest::addColumn<QByteArray>("data");
    const QByteArray good = encode(testPattern());
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header only") << good.left(2);
    QTest::newRow("truncated to half") << good.left(good.size() / 2);
    QTest::newRow("truncated before the end marker") << good.left(good.size() - 2);
    QTest::newRow("not a picture") << QByteArray("\xFF\xD8 this is text, not a picture");
}

void JpegTest::damagedDataGivesNullImage() {
    QFETCH(QByteArray, data);
    QVERIFY(decodeJpeg(data).isNull());
}

void JpegTest::everyEmbeddedJpegDecodes() {
    int count = 0;
    QDirIterator it(":/", {"*.jpg"}, QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        const QImage picture = zeitrad::widgets::loadPicture(path);
        QVERIFY2(!picture.isNull(), qPrintable(path));
        // libjpeg and Qt's own reader agree on the size.
        QCOMPARE(picture.size(), QImage(path).size());
        ++count;
    }
    QVERIFY(count > 0);
}

void JpegTest::otherEmbeddedPicturesLoadAsQtReadsThem() {
    // PNG and BMP are read by Qt with the format named from the data's signature.
    int count = 0;
    QDirIterator it(":/", {"*.png", "*.bmp"}, QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        const QImage picture = zeitrad::widgets::loadPicture(path);
        QVERIFY2(!picture.isNull(), qPrintable(path));
        QCOMPARE(picture, QImage(path));
        ++count;
    }
    QVERIFY(count >= 3);
}

void JpegTest::decodedPicturesAreTheirJpegsShownInPlace() {
    // The start screen's pictures are compiled in decoded: the very pixels of their JPEGs, shown
    // where they lie in the program, without a copy.
    QDirIterator it(":/decoded", QDir::Files);
    int count = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        const QImage kept = zeitrad::widgets::loadPicture(path);
        QCOMPARE(kept, zeitrad::widgets::loadPicture(":/" + it.fileName()));
        QCOMPARE(kept.constBits(), QResource(path).data() + 16);
        ++count;
    }
    QCOMPARE(count, 2);
}

void JpegTest::decodedFormRoundTripsAndRefusesDamage_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("valid");
    const QByteArray good = zeitrad::widgets::keepDecoded(testPattern());
    const auto withSize = [&](quint32 width, quint32 height) {
        QByteArray data = good;
        std::memcpy(data.data() + 8, &width, 4);
        std::memcpy(data.data() + 12, &height, 4);
        return data;
    };
    QTest::newRow("whole") << good << true;
    QTest::newRow("signature only") << good.left(8) << false;
    QTest::newRow("one byte short") << good.chopped(1) << false;
    QTest::newRow("one byte over") << good + '\0' << false;
    QTest::newRow("no width") << withSize(0, 48) << false;
    QTest::newRow("more rows than held") << withSize(64, 49) << false;
    QTest::newRow("sides that overflow") << withSize(0xFFFFFFFF, 0xFFFFFFFF) << false;
}

void JpegTest::decodedFormRoundTripsAndRefusesDamage() {
    QFETCH(QByteArray, data);
    QFETCH(bool, valid);
    QTemporaryDir dir;
    QFile file(dir.filePath("picture"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(data) == data.size());
    file.close();
    const QImage picture = zeitrad::widgets::loadPicture(file.fileName());
    if (valid)
        QCOMPARE(picture, testPattern());
    else
        QVERIFY(picture.isNull());
}

void JpegTest::damagedPictureDrawsNothing() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray good = encode(testPattern());
    QFile file(dir.filePath("broken.jpg"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(good.left(good.size() / 3));
    file.close();

    QWidget parent;
    parent.resize(100, 100);
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 0));
    parent.setPalette(pal);
    parent.setAutoFillBackground(true);
    auto* picture =
        new zeitrad::widgets::Picture("Broken", &parent, QRect(0, 0, 64, 48), file.fileName());
    QVERIFY(picture->image().isNull());
    const QImage shot = parent.grab().toImage();
    QCOMPARE(shot.pixel(20, 20) & 0xFFFFFFu, qRgb(0, 128, 0) & 0xFFFFFFu);
}

QTEST_MAIN(JpegTest)
#include "test_jpeg.moc"
