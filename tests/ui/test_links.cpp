// The link labels hand their targets to the desktop; the test stands in for the desktop's
// URL handlers and records what each click asks to open.
#include <QDesktopServices>
#include <QtTest>

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
    void everyLinkLabelIsTested();
    void hostsAreReserved();

private:
    Recorder recorder_;
};

namespace {

// Every link: where it is, the button that brings its screen up (none for the start screen), the
// label, what it opens, and whether it shows the hand cursor (four keep the arrow and still
// react).
struct LinkCase {
    const char* what;
    const char* opener;
    const char* label;
    QString target;
    bool hand;
};

QList<LinkCase> linkCases() {
    const QString mail = "mailto:verlag@kelmora.example";
    const QString site = "http://www.kelmora.example";
    const QString second = "http://www.jyotisha.example/raduzir/index.html?categoryId=7";
    return {
        {"start: web address", "", "Label251", site, true},
        {"start: programmer's name", "", "Label252", mail, false},
        {"start: Kontakt", "", "Label415", mail, true},
        {"info: web address mails", "Button7", "Label259", mail, true},
        {"info: second site", "Button7", "Label421", second, false},
        {"info: Email an", "Button7", "Label420", mail, false},
        {"book: order page", "Button22", "Label429", site + "/pd2079206682.htm", true},
        {"book: further titles", "Button22", "Label433", site + "/pi-412763821.htm?categoryId=3",
         true},
        {"course: Anfrage", "Button5", "Label431", mail, true},
        {"course: web address mails", "Button5", "Label432", mail, false},
    };
}

QPoint centreInWindow(const QWidget& window, const QWidget* control) {
    return control->mapTo(&window, control->rect().center());
}

} // namespace

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
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("hand");
    for (const LinkCase& c : linkCases())
        QTest::newRow(c.what) << c.opener << c.label << c.target << c.hand;
}

// A link is the control a user hits where it is drawn, lies wholly on its screen, and a click
// there hands its target to the desktop each time, leaving the screen as it was.
void LinksTest::clickOpensTarget() {
    QFETCH(QString, opener);
    QFETCH(QString, label);
    QFETCH(QString, target);
    QFETCH(bool, hand);
    uitest::Window ui(!opener.isEmpty());
    QWidget& w = ui.window;
    if (!opener.isEmpty())
        uitest::click(&w, qPrintable(opener));
    auto* link = uitest::find<zeitrad::widgets::Label>(&w, qPrintable(label));
    QVERIFY(link->isVisibleTo(&w));
    QVERIFY(link->parentWidget()->rect().contains(link->geometry()));
    QCOMPARE(link->cursor().shape(), hand ? Qt::PointingHandCursor : Qt::ArrowCursor);

    const QPoint centre = centreInWindow(w, link);
    QCOMPARE(w.childAt(centre), link);
    QTest::mouseClick(link, Qt::LeftButton, {}, link->mapFrom(&w, centre));
    QCOMPARE(recorder_.opened.size(), 1);
    QCOMPARE(recorder_.opened.first().toString(), target);
    // Near its corner too, and a second time.
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(recorder_.opened.size(), 2);
    QCOMPARE(recorder_.opened.last().toString(), target);
    QVERIFY(link->isVisibleTo(&w));
}

// No link of the window goes untested above.
void LinksTest::everyLinkLabelIsTested() {
    uitest::Window ui(false);
    QStringList tested, known;
    for (const LinkCase& c : linkCases())
        tested << c.label;
    for (const zeitrad::widgets::Label* label : ui.window.links().keys())
        known << label->objectName();
    tested.sort();
    known.sort();
    QCOMPARE(known, tested);
}

void LinksTest::hostsAreReserved() {
    uitest::Window ui(false);
    for (const QString& target : ui.window.links()) {
        const QUrl url(target);
        const QString host = url.scheme() == "mailto" ? url.path().section('@', 1) : url.host();
        QVERIFY2(host.endsWith(".example"), qPrintable(target));
    }
}

QTEST_MAIN(LinksTest)
#include "test_links.moc"
