// The reference screens as a user meets them: the text, book, info, course and divisions chart
// screens with their controls, texts and pictures, and what stays when screens change. Their
// links are tested with the others in test_links, closing them in test_switching, the divisions
// chart's content in test_pictures.
#include <QFile>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextCursor>
#include <QtTest>

#include "app/appearance.h"
#include "uitest.h"

using zeitrad::widgets::Label;
using zeitrad::widgets::Picture;

namespace {

QString resourceText(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("%s is not embedded", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

QPlainTextEdit* memo(const QWidget& window, const char* name) {
    return uitest::find<QPlainTextEdit>(&window, name);
}

// Opens a screen with its button on the window, as a user would.
void open(TZeitrad& window, const QString& button) {
    uitest::click(&window, button.toLatin1().constData());
}

// Mean difference per channel between two pictures of the same size.
double meanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

} // namespace

class ReferenceTest : public QObject {
    Q_OBJECT
private slots:
    void controlsLieOnTheirScreens_data();
    void controlsLieOnTheirScreens();
    void labelsReadOnTheirScreens_data();
    void labelsReadOnTheirScreens();

    void introductionText();
    void introductionLinesFitTheBox();
    void introductionOpensAtTheTopAndKeepsItsPlace();
    void versesText();
    void memosLook_data();
    void memosLook();
    void typedTextStays_data();
    void typedTextStays();
    void restartShowsTheStoredTexts();

    void isbnLinesHaveValidCheckDigits();
    void bookFiguresReadAsGerman();

    void picturesShowTheirEmbeddedFiles_data();
    void picturesShowTheirEmbeddedFiles();
    void coverIsStretchedToItsFrame();
    void picturesAreDrawnFromTheTopLeftAndClipped_data();
    void picturesAreDrawnFromTheTopLeftAndClipped();
};

// ---------------------------------------------------------------------------------------------

void ReferenceTest::controlsLieOnTheirScreens_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QStringList>("leftovers");
    QTest::newRow("text") << "Panel3"
                          << QStringList{"Panel4", "Button6", "Button8", "Button9", "Button10"};
    QTest::newRow("book") << "Panel5" << QStringList{"Panel6", "Button11"};
    QTest::newRow("info") << "Panel7" << QStringList{};
    QTest::newRow("course") << "Panel13" << QStringList{};
    QTest::newRow("divisions") << "Panel14" << QStringList{};
}

// Every control of a screen lies wholly on it, so that nothing is cut off at its edge, except
// the leftovers, which lie wholly outside it and so are never seen.
void ReferenceTest::controlsLieOnTheirScreens() {
    QFETCH(QString, screen);
    QFETCH(QStringList, leftovers);
    uitest::Window ui;
    const auto* panel = uitest::find<QWidget>(&ui.window, qPrintable(screen));
    QStringList outside;
    for (const QWidget* control : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->geometry().intersects(panel->rect()))
            QVERIFY2(panel->rect().contains(control->geometry()),
                     qPrintable(control->objectName()));
        else
            outside << control->objectName();
    }
    outside.sort();
    leftovers.sort();
    QCOMPARE(outside, leftovers);
}

void ReferenceTest::labelsReadOnTheirScreens_data() {
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRgb>("colour");
    const QRgb white = uitest::rgb(255, 255, 255), red = uitest::rgb(255, 0, 0),
               lime = uitest::rgb(0, 255, 0), black = uitest::rgb(0, 0, 0);
    QTest::newRow("text: title") << "Button3"
                                 << "Label271" << lime;
    QTest::newRow("book: ISBN-13") << "Button22"
                                   << "Label249" << black;
    QTest::newRow("book: ISBN-10") << "Button22"
                                   << "Label250" << black;
    QTest::newRow("book: pages") << "Button22"
                                 << "Label246" << black;
    QTest::newRow("book: price") << "Button22"
                                 << "Label248" << black;
    QTest::newRow("book: order page") << "Button22"
                                      << "Label429" << red;
    QTest::newRow("book: further titles") << "Button22"
                                          << "Label433" << red;
    QTest::newRow("info: note") << "Button7"
                                << "Label258" << white;
    QTest::newRow("info: web address") << "Button7"
                                       << "Label259" << white;
    QTest::newRow("info: second site") << "Button7"
                                       << "Label421" << white;
    QTest::newRow("info: Email an") << "Button7"
                                    << "Label420" << white;
    QTest::newRow("course: Anfrage") << "Button5"
                                     << "Label431" << lime;
    QTest::newRow("course: web address") << "Button5"
                                         << "Label432" << lime;
}

// Each label shows when its screen opens and draws its text in its colour straight on the
// screen, without a box of its own.
void ReferenceTest::labelsReadOnTheirScreens() {
    QFETCH(QString, opener);
    QFETCH(QString, name);
    QFETCH(QRgb, colour);
    uitest::Window ui;
    QWidget& w = ui.window;
    open(ui.window, opener);
    auto* label = uitest::find<Label>(&w, qPrintable(name));
    QVERIFY(label->isVisibleTo(&w));
    QVERIFY2(!label->background(), "draws on its screen's colour");
    // No box of its own: the screen's colour runs on into the label's corner.
    const QImage image = w.grab().toImage();
    const QRect box(label->mapTo(&w, QPoint(0, 0)), label->size());
    QCOMPARE(image.pixel(box.topLeft()) & 0xFFFFFFu,
             image.pixel(box.topLeft() - QPoint(1, 0)) & 0xFFFFFFu);
    if (label->text().trimmed().isEmpty())
        return;
    int ink = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            ink += (image.pixel(x, y) & 0xFFFFFFu) == colour;
    QVERIFY2(ink > 10, qPrintable(QString::number(ink)));
}

// ---------------------------------------------------------------------------------------------

void ReferenceTest::introductionText() {
    uitest::Window ui;
    const QString text = memo(ui.window, "Memo1")->toPlainText();
    QString stored = resourceText(":/intro.txt");
    QVERIFY(stored.endsWith('\n'));
    stored.chop(1);
    QCOMPARE(text, stored);

    QVERIFY(text.startsWith("Dieses Programm liefert einen einfachen Einstieg"));
    const QStringList lines = text.split('\n');
    QCOMPARE(lines.size(), 51);
    QVERIFY(!text.contains("\n\n\n"));
    QCOMPARE(text.split("\n\n").size(), 8);
    int longest = 0;
    for (const QString& line : lines) {
        longest = std::max(longest, int(line.size()));
        QVERIFY2(line == line.trimmed() || line.trimmed() == "1. Mose 6,3", qPrintable(line));
    }
    QVERIFY(longest <= 134);
    QVERIFY2(text.size() > 3600 && text.size() < 3920, qPrintable(QString::number(text.size())));

    // Genesis 6:3 in the Luther text of 1912, in two lines, then its source pushed right.
    const int first = lines.indexOf(QRegularExpression("^„Da sprach der HERR:.*"));
    QVERIFY(first > 0);
    QCOMPARE(lines[first] + ' ' + lines[first + 1],
             "„Da sprach der HERR: Die Menschen wollen sich von meinem Geist nicht mehr strafen "
             "lassen; denn sie sind Fleisch. Ich will ihnen noch Frist geben hundertzwanzig "
             "Jahre.“");
    const QString source = lines[first + 2];
    QCOMPARE(source.trimmed(), "1. Mose 6,3");
    QVERIFY(source.startsWith(QString(60, ' ')));

    for (const char* word : {"120 Jahren", "Orvana", "5000 Jahren", "Lahiri", "Mahadasa",
                             "Antardasa", "Kalenderdaten", "Kästchen"})
        QVERIFY2(text.simplified().contains(QString::fromUtf8(word)), word);
}

// The text is broken into lines by hand; each of them fits the box, so the box shows the lines
// as written and the source of the quotation stands right of the box's middle.
void ReferenceTest::introductionLinesFitTheBox() {
    uitest::Window ui;
    open(ui.window, "Button3");
    QPlainTextEdit* box = memo(ui.window, "Memo1");
    const QFontMetrics metrics(box->font());
    const int room = box->viewport()->width() - 2 * int(box->document()->documentMargin());
    for (const QString& line : box->toPlainText().split('\n'))
        QVERIFY2(metrics.horizontalAdvance(line) <= room, qPrintable(line));
    const QString source = box->toPlainText().split('\n').filter("1. Mose 6,3").value(0);
    QVERIFY(metrics.horizontalAdvance(source) > room / 2);
}

void ReferenceTest::introductionOpensAtTheTopAndKeepsItsPlace() {
    uitest::Window ui;
    open(ui.window, "Button3");
    QPlainTextEdit* box = memo(ui.window, "Memo1");
    QScrollBar* bar = box->verticalScrollBar();
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->value(), 0);
    QCOMPARE(box->cursorForPosition(QPoint(2, 2)).blockNumber(), 0);
    QVERIFY2(bar->maximum() > 0, "the text is longer than the box");

    bar->setValue(bar->maximum() / 2);
    const int place = bar->value();
    open(ui.window, "Button7"); // Info
    uitest::click(&ui.window, "Button21");
    open(ui.window, "Button14"); // Amsa
    open(ui.window, "Button3");
    QVERIFY(uitest::shown(&ui.window, "Memo1"));
    QCOMPARE(bar->value(), place);
}

void ReferenceTest::versesText() {
    uitest::Window ui;
    const QString text = memo(ui.window, "Memo2")->toPlainText();
    QString stored = resourceText(":/verses.txt");
    stored.chop(1);
    QCOMPARE(text, stored);
    QVERIFY(text.simplified().startsWith(QString::fromUtf8(
        "Wenn Sie mehr über die Bedeutung der einzelnen Planetenphasen wissen wollen")));
    QCOMPARE(text.split('\n').size(), 8);
    QCOMPARE(text.split("\n\n").size(), 2);
    QVERIFY2(text.size() > 480 && text.size() < 540, qPrintable(QString::number(text.size())));
    QVERIFY(text.contains("Orvana"));
    QVERIFY(text.contains("Sanskrit"));
}

void ReferenceTest::memosLook_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("opener");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QRgb>("background");
    QTest::addColumn<bool>("scrollBar");
    QTest::newRow("Memo1") << "Memo1"
                           << "Button3" << true << uitest::rgb(255, 0, 255) << true;
    QTest::newRow("Memo2") << "Memo2"
                           << "Button22" << false << uitest::rgb(166, 202, 240) << false;
}

void ReferenceTest::memosLook() {
    QFETCH(QString, name);
    QFETCH(QString, opener);
    QFETCH(bool, bold);
    QFETCH(QRgb, background);
    QFETCH(bool, scrollBar);
    uitest::Window ui;
    open(ui.window, opener);
    QPlainTextEdit* box = memo(ui.window, name.toLatin1().constData());
    QVERIFY(uitest::shown(&ui.window, name.toLatin1().constData()));
    QVERIFY(!box->isReadOnly());
    QCOMPARE(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(box->horizontalScrollBar()->isVisible(), false);
    QCOMPARE(box->verticalScrollBar()->isVisible(), scrollBar);
    QCOMPARE(box->font().pixelSize(), zeitrad::widgets::pointsToPixels(12));
    QCOMPARE(box->font().bold(), bold);
    QCOMPARE(QFontInfo(box->font()).family(), zeitrad::app::resolvedFamily("Times New Roman"));
    if (!scrollBar)
        QCOMPARE(box->verticalScrollBar()->maximum(), 0); // the whole text fits the box
    // The box's colour where the user sees it: right of the first line's end.
    const QPoint inside =
        box->viewport()->mapTo(&ui.window, QPoint(box->viewport()->width() - 4, 4));
    QCOMPARE(uitest::pixel(ui.window, inside), background);
}

void ReferenceTest::typedTextStays_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QStringList>("between"); // buttons pressed before the screen is reopened
    QTest::newRow("Memo1") << "Memo1"
                           << "Button3" << QStringList{"Button5", "Button18", "Button13",
                                                       "Button7", "Button21", "Button3"};
    QTest::newRow("Memo2") << "Memo2"
                           << "Button22" << QStringList{"Button3", "Button13", "Button22"};
}

void ReferenceTest::typedTextStays() {
    QFETCH(QString, name);
    QFETCH(QString, opener);
    QFETCH(QStringList, between);
    uitest::Window ui;
    ui.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&ui.window));
    open(ui.window, opener);
    QPlainTextEdit* box = memo(ui.window, name.toLatin1().constData());
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClicks(box, "Om Namah Shivaya. ");
    QVERIFY(box->toPlainText().startsWith("Om Namah Shivaya. "));
    for (const QString& button : between)
        open(ui.window, button);
    QVERIFY(uitest::shown(&ui.window, name.toLatin1().constData()));
    QVERIFY(box->toPlainText().startsWith("Om Namah Shivaya. Wenn Sie") ||
            box->toPlainText().startsWith("Om Namah Shivaya. Dieses Programm"));
}

void ReferenceTest::restartShowsTheStoredTexts() {
    QString typed;
    {
        uitest::Window ui;
        open(ui.window, "Button3");
        QTest::keyClicks(memo(ui.window, "Memo1"), "Jyotish ");
        typed = memo(ui.window, "Memo1")->toPlainText();
    }
    uitest::Window again;
    const QString text = memo(again.window, "Memo1")->toPlainText();
    QVERIFY(text != typed);
    QVERIFY(text.startsWith("Dieses Programm"));
}

// ---------------------------------------------------------------------------------------------

namespace {

QString digitsOf(const QString& isbn) {
    QString digits = isbn;
    digits.remove('-');
    return digits;
}

bool isbn13Valid(const QString& digits) {
    if (digits.size() != 13)
        return false;
    int sum = 0;
    for (int i = 0; i < 13; ++i)
        sum += digits[i].digitValue() * (i % 2 == 0 ? 1 : 3);
    return sum % 10 == 0;
}

bool isbn10Valid(const QString& digits) {
    if (digits.size() != 10)
        return false;
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        const int value = (i == 9 && digits[i] == 'X') ? 10 : digits[i].digitValue();
        sum += (10 - i) * value;
    }
    return sum % 11 == 0;
}

} // namespace

void ReferenceTest::isbnLinesHaveValidCheckDigits() {
    uitest::Window ui;
    const QRegularExpression line13("^ISBN-13: (978-\\d+-\\d+-\\d+-\\d)$");
    const QRegularExpression line10("^ISBN-10: (\\d+-\\d+-\\d+-[\\dX])$");
    const auto m13 = line13.match(uitest::find<Label>(&ui.window, "Label249")->text());
    const auto m10 = line10.match(uitest::find<Label>(&ui.window, "Label250")->text());
    QVERIFY(m13.hasMatch());
    QVERIFY(m10.hasMatch());
    const QString isbn13 = digitsOf(m13.captured(1)), isbn10 = digitsOf(m10.captured(1));
    QVERIFY2(isbn13Valid(isbn13), qPrintable(isbn13));
    QVERIFY2(isbn10Valid(isbn10), qPrintable(isbn10));
    // The same book: 978, the first nine digits of the ten, grouped alike.
    QCOMPARE(isbn13.mid(3, 9), isbn10.left(9));
    QCOMPARE(m13.captured(1).chopped(1), "978-" + m10.captured(1).chopped(1));

    // The check digits are no accident: any other last digit fails.
    for (int d = 0; d < 10; ++d) {
        const QString other = isbn13.left(12) + QString::number(d);
        QCOMPARE(isbn13Valid(other), other == isbn13);
    }
}

void ReferenceTest::bookFiguresReadAsGerman() {
    uitest::Window ui;
    QVERIFY(QRegularExpression("^Seiten: [1-9]\\d{1,3}$")
                .match(uitest::find<Label>(&ui.window, "Label246")->text())
                .hasMatch());
    QVERIFY(QRegularExpression("^Preis: [1-9]\\d*,\\d\\d EUR$")
                .match(uitest::find<Label>(&ui.window, "Label248")->text())
                .hasMatch());
}

// ---------------------------------------------------------------------------------------------

void ReferenceTest::picturesShowTheirEmbeddedFiles_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::newRow("Image2 cover") << "Image2"
                                  << ":/cover.jpg";
    QTest::newRow("Image3 info") << "Image3"
                                 << ":/info.bmp";
    QTest::newRow("Image4 course") << "Image4"
                                   << ":/course.jpg";
    QTest::newRow("Image5 divisions") << "Image5"
                                      << ":/divisions.jpg";
}

void ReferenceTest::picturesShowTheirEmbeddedFiles() {
    QFETCH(QString, name);
    QFETCH(QString, file);
    uitest::Window ui;
    const QImage& image = uitest::find<Picture>(&ui.window, qPrintable(name))->image();
    QVERIFY2(!image.isNull(), "the picture is embedded and decodes");
    QCOMPARE(image, zeitrad::widgets::loadPicture(file));
    // The info screen's picture keeps its 256 colours.
    if (name == "Image3") {
        QCOMPARE(image.format(), QImage::Format_Indexed8);
        QVERIFY(image.colorCount() <= 256);
    }
}

// The cover fills its 209 x 305 frame whole, squeezed, rather than showing its top-left part.
void ReferenceTest::coverIsStretchedToItsFrame() {
    uitest::Window ui;
    open(ui.window, "Button22");
    auto* cover = uitest::find<Picture>(&ui.window, "Image2");
    const QImage shown = cover->grab().toImage();
    QCOMPARE(shown.size(), QSize(209, 305));
    const QImage squeezed =
        cover->image().scaled(209, 305, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage corner = cover->image().copy(0, 0, 209, 305);
    const double toSqueezed = meanDifference(shown, squeezed);
    const double toCorner = meanDifference(shown, corner);
    QVERIFY2(toSqueezed < 8, qPrintable(QString::number(toSqueezed)));
    QVERIFY2(toCorner > 2 * toSqueezed, qPrintable(QString::number(toCorner)));
}

void ReferenceTest::picturesAreDrawnFromTheTopLeftAndClipped_data() {
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("uncoveredRows"); // rows not covered by labels lying on the picture
    QTest::addColumn<QRgb>("screenColour");
    // The empty Label258 lies over the yantra's bottom rows.
    QTest::newRow("info") << "Button7"
                          << "Image3" << 424 << uitest::rgb(7, 7, 7);
    QTest::newRow("course") << "Button5"
                            << "Image4" << 360 << uitest::rgb(0, 0, 0);
    QTest::newRow("divisions") << "Button14"
                               << "Image5" << 176 << uitest::rgb(240, 240, 240);
}

void ReferenceTest::picturesAreDrawnFromTheTopLeftAndClipped() {
    QFETCH(QString, opener);
    QFETCH(QString, name);
    QFETCH(int, uncoveredRows);
    QFETCH(QRgb, screenColour);
    uitest::Window ui;
    open(ui.window, opener);
    auto* picture = uitest::find<Picture>(&ui.window, name.toLatin1().constData());
    const QImage grab = ui.window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint origin = picture->mapTo(&ui.window, QPoint(0, 0));
    const QImage image = picture->image().convertToFormat(QImage::Format_RGB32);
    const int width = std::min(image.width(), picture->width());
    const int rows = std::min(uncoveredRows, picture->height());
    QCOMPARE(grab.copy(QRect(origin, QSize(width, rows))), image.copy(0, 0, width, rows));
    // Where the control is larger than its picture, the screen shows through.
    if (picture->height() > image.height())
        QCOMPARE(grab.pixel(origin + QPoint(width / 2, image.height())) & 0xFFFFFFu, screenColour);
    if (picture->width() > image.width())
        QCOMPARE(grab.pixel(origin + QPoint(image.width(), 10)) & 0xFFFFFFu, screenColour);
    // Where it is smaller, the picture's rest is cut off and the screen shows beside it.
    QCOMPARE(grab.pixel(origin + QPoint(picture->width(), 10)) & 0xFFFFFFu, screenColour);
}

QTEST_MAIN(ReferenceTest)
#include "test_reference.moc"
