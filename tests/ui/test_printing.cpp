// Printing is the plugin "print", loaded when the user first prints. Without it, or with a damaged
// one, printing says why in German and asks for no printer; with it, the overview goes to the
// printer the user chose. ZEITRAD_PLUGIN_PATH, when set as the test starts, names the plugin's
// folder (the release checks print with the installed plugin so).
#include <QPrinter>
#include <QtTest>

#include "birth.h"
#include "periodlist/periodexport.h"
#include "pluginloader/pluginloader.h"
#include "uitest.h"

namespace {
class Unrelated {
public:
    virtual ~Unrelated() = default;
};
} // namespace
Q_DECLARE_INTERFACE(Unrelated, "example.kelmora.zeitrad.Unrelated/1")

class PrintingTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir folder_;
    QByteArray pluginPath_; // as the test started
    QString printFile_;
    int printerDialogs_ = 0;

    // Ctrl+P on the overview of a calculation; the message shown, if any.
    QString printOverview();

private slots:
    void initTestCase();
    void cleanup();
    void refusedWithoutThePlugin_data();
    void refusedWithoutThePlugin();
    void printsToTheChosenPrinter();
    void otherInterfaceIsRefused();
};

void PrintingTest::initTestCase() {
    QVERIFY(folder_.isValid());
    pluginPath_ = qgetenv("ZEITRAD_PLUGIN_PATH");
    zeitrad::periodlist::exportDialogs().setUpPrinter = [this](QWidget*, QPrinter& printer) {
        ++printerDialogs_;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile_);
        return true;
    };
}

void PrintingTest::cleanup() {
    if (pluginPath_.isEmpty())
        qunsetenv("ZEITRAD_PLUGIN_PATH");
    else
        qputenv("ZEITRAD_PLUGIN_PATH", pluginPath_);
    printerDialogs_ = 0;
}

QString PrintingTest::printOverview() {
    uitest::Window ui;
    birth::calculate(ui.window, {});
    return uitest::messageFrom(
        [&] { QTest::keyClick(&ui.window, Qt::Key_P, Qt::ControlModifier); });
}

void PrintingTest::refusedWithoutThePlugin_data() {
    QTest::addColumn<QByteArray>("content"); // of the plugin file; none when empty
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << QByteArray()
                             << "Drucken ist nicht möglich. Der Programmteil libzeitrad_print.so "
                                "ist nicht installiert.";
    QTest::newRow("damaged") << QByteArray("no library")
                             << "Drucken ist nicht möglich. Der Programmteil libzeitrad_print.so "
                                "lässt sich nicht laden: ";
}

void PrintingTest::refusedWithoutThePlugin() {
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString folder = folder_.filePath(QTest::currentDataTag());
    QVERIFY(QDir().mkpath(folder));
    if (!content.isEmpty()) {
        QFile damaged(folder + "/libzeitrad_print.so");
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(content);
    }
    qputenv("ZEITRAD_PLUGIN_PATH", QFile::encodeName(folder));
    printFile_ = folder_.filePath("refused.pdf");
    const QString shown = printOverview();
    QVERIFY2(shown.startsWith(message), qPrintable(shown));
    QCOMPARE(printerDialogs_, 0);
    QVERIFY(!QFile::exists(printFile_));
}

void PrintingTest::printsToTheChosenPrinter() {
    printFile_ = folder_.filePath("übersicht.pdf");
    QCOMPARE(printOverview(), QString());
    QCOMPARE(printerDialogs_, 1);
    QFile printed(printFile_);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    const QByteArray pdf = printed.readAll();
    QVERIFY(pdf.startsWith("%PDF-"));
    // One A4 page (595 x 842 points) with the overview's picture on it.
    QCOMPARE(pdf.count("/Type /Page\n"), 1);
    QVERIFY(pdf.contains("/MediaBox [0 0 595.000000 842.000000]"));
    QVERIFY(pdf.contains("/Subtype /Image"));
}

// A plugin asked for as an interface it does not have is refused with the reason.
void PrintingTest::otherInterfaceIsRefused() {
    const auto loaded = zeitrad::pluginloader::plugin<Unrelated>("print");
    QCOMPARE(std::get<zeitrad::Refusal>(loaded).message,
             "Der Programmteil „print“ passt nicht zu diesem Programm.");
}

QTEST_MAIN(PrintingTest)
#include "test_printing.moc"
