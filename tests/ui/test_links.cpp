// The link labels hand their targets to the desktop; the test stands in for the desktop's
// URL handlers and records what each click asks to open.
#include <QDesktopServices>
#include <QtTest>

#include "app/links.h"
#include "uitest.h"

class Recorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class LinksTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void clickOpensTarget_data();
    void clickOpensTarget();
    void everyLinkLabelIsInTheTable();
    void hostsAreReserved();

private:
    Recorder recorder_;
};

void LinksTest::init() {
    recorder_.opened.clear();
    for (const char* scheme : {"http", "https", "mailto"})
        QDesktopServices::setUrlHandler(scheme, &recorder_, "open");
}

void LinksTest::cleanup() {
    for (const char* scheme : {"http", "https", "mailto"})
        QDesktopServices::unsetUrlHandler(scheme);
}

void LinksTest::clickOpensTarget_data() {
    QTest::addColumn<QString>("opener"); // the button that brings the label's screen up
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("target");
    const QString mail = "mailto:verlag@kelmora.example";
    const QString site = "http://www.kelmora.example";
    QTest::newRow("start: web address") << ""
                                        << "Label251" << site;
    QTest::newRow("start: programmer's name") << ""
                                              << "Label252" << mail;
    QTest::newRow("start: Kontakt") << ""
                                    << "Label415" << mail;
    QTest::newRow("info: web address mails") << "Button7"
                                             << "Label259" << mail;
    QTest::newRow("info: second site")
        << "Button7"
        << "Label421"
        << "http://www.jyotisha.example/raduzir/index.html?categoryId=7";
    QTest::newRow("info: Email an") << "Button7"
                                    << "Label420" << mail;
    QTest::newRow("book: order page") << "Button22"
                                      << "Label429" << site + "/pd2079206682.htm";
    QTest::newRow("book: further titles") << "Button22"
                                          << "Label433" << site + "/pi-412763821.htm?categoryId=3";
    QTest::newRow("course: Anfrage") << "Button5"
                                     << "Label431" << mail;
    QTest::newRow("course: web address mails") << "Button5"
                                               << "Label432" << mail;
}

void LinksTest::clickOpensTarget() {
    QFETCH(QString, opener);
    QFETCH(QString, label);
    QFETCH(QString, target);
    uitest::Window ui(opener.isEmpty() ? false : true);
    if (!opener.isEmpty())
        uitest::click(&ui.window, opener.toLatin1().constData());
    auto* link = uitest::find<zeitrad::ui::Label>(&ui.window, label.toLatin1().constData());
    QVERIFY(link->isVisibleTo(&ui.window));
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(recorder_.opened.size(), 1);
    QCOMPARE(recorder_.opened.first().toString(), target);
    // A second click opens it again; the window stays as it was.
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(recorder_.opened.size(), 2);
    QVERIFY(link->isVisibleTo(&ui.window));
}

void LinksTest::everyLinkLabelIsInTheTable() {
    uitest::Window ui(false);
    int hand = 0;
    for (const zeitrad::ui::Link& link : zeitrad::ui::links()) {
        auto* label = uitest::find<zeitrad::ui::Label>(&ui.window, link.label);
        if (label->cursor().shape() == Qt::PointingHandCursor)
            ++hand;
    }
    QCOMPARE(zeitrad::ui::links().size(), 10);
    // Six links show the hand cursor, four keep the arrow and still react.
    QCOMPARE(hand, 6);
}

void LinksTest::hostsAreReserved() {
    for (const zeitrad::ui::Link& link : zeitrad::ui::links()) {
        const QUrl url(link.target);
        const QString host = url.scheme() == "mailto" ? url.path().section('@', 1) : url.host();
        QVERIFY2(host.endsWith(".example"), qPrintable(link.target));
    }
}

QTEST_MAIN(LinksTest)
#include "test_links.moc"
