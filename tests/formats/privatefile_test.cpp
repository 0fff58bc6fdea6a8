// The settings written privately, and files read within their bound: settings that others could
// read become the owner's, settings that cannot be written say so, and a file over 64 MiB is
// refused before it is read (a sparse file: nothing of it is written to the disk).
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "formats/privatefile.h"

using namespace zeitrad::formats;
using zeitrad::Refusal;
using zeitrad::birth::Done;

namespace {

int mode(const QString& path) {
    struct stat st = {};
    stat(QFile::encodeName(path).constData(), &st);
    return int(st.st_mode & 0777);
}

QString refusal(const auto& r) {
    const auto* why = std::get_if<Refusal>(&r);
    return why ? QString::fromStdString(why->message) : QString();
}

void write(const QString& path, const QByteArray& bytes, int permissions) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    f.close();
    chmod(QFile::encodeName(path).constData(), mode_t(permissions));
}

} // namespace

class PrivateFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    // Whatever the file was, the settings in it are their owner's alone, and all of them.
    void settingsAreTheOwners_data() {
        QTest::addColumn<int>("earlier"); // its permissions; 0: there is none
        QTest::newRow("new file") << 0;
        QTest::newRow("earlier file of 0644") << 0644;
        QTest::newRow("earlier file of 0666") << 0666;
    }
    void settingsAreTheOwners() {
        QFETCH(int, earlier);
        const QString path =
            dir_.filePath(QStringLiteral("einstellungen-%1/zeitrad.conf").arg(earlier, 0, 8));
        if (earlier) {
            QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
            write(path, "[Geburten]\nalt=1\n", earlier);
        }
        {
            QSettings settings(path, QSettings::IniFormat);
            settings.setValue("Geburten/zuletzt", QStringList{"7", "3", "1985"});
            QCOMPARE(refusal(syncPrivately(settings)), QString());
        }
        QCOMPARE(mode(path), 0600);
        const QSettings again(path, QSettings::IniFormat);
        QCOMPARE(again.value("Geburten/zuletzt").toStringList(), (QStringList{"7", "3", "1985"}));
        QCOMPARE(again.value("Geburten/alt").isValid(), earlier != 0);
    }

    // Settings whose folder cannot be made (a file stands where it would be) are reported with
    // the file and the reason, and nothing is left behind.
    void settingsThatCannotBeWrittenSaySo() {
        const QString blocker = dir_.filePath("datei");
        write(blocker, "kein Ordner", 0644);
        const QString path = blocker + "/zeitrad.conf";
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue("Mond/Ort", "Ravensburg");
        QCOMPARE(refusal(syncPrivately(settings)),
                 QStringLiteral("Die Datei „%1“ ließ sich nicht schreiben: Not a directory. Eine "
                                "frühere Datei dieses Namens bleibt unverändert.")
                     .arg(path));
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("kein Ordner"));
    }

    // Up to 64 MiB a file is read whole; a byte more and it is refused before anything is read.
    // Missing files and folders are refused with what they are.
    void readsWithinTheBound_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("size"); // -1: no file; -2: a folder
        QTest::addColumn<QString>("refused");
        const qint64 mib64 = 64 * 1024 * 1024;
        QTest::newRow("64 MiB") << "genau.aaf" << mib64 << "";
        QTest::newRow("64 MiB and a byte")
            << "gross.aaf" << mib64 + 1
            << "Die Datei „%1“ ist größer als 64 MiB; so große Dateien liest Zeitrad nicht. Es "
               "wurde nichts gelesen.";
        QTest::newRow("4 GiB") << "riesig.aaf" << qint64(4) * 1024 * mib64
                               << "Die Datei „%1“ ist größer als 64 MiB; so große Dateien liest "
                                  "Zeitrad nicht. Es wurde nichts gelesen.";
        QTest::newRow("none") << "fehlt.aaf" << qint64(-1) << "Die Datei „%1“ gibt es nicht.";
        QTest::newRow("a folder") << "ordner.aaf" << qint64(-2)
                                  << "Die Datei „%1“ lässt sich nicht lesen: file to open is a "
                                     "directory.";
    }
    void readsWithinTheBound() {
        QFETCH(QString, name);
        QFETCH(qint64, size);
        QFETCH(QString, refused);
        const QString path = dir_.filePath(name);
        if (size == -2)
            QVERIFY(QDir().mkpath(path));
        if (size >= 0) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.write("#A93:") == 5);
            QVERIFY(f.resize(size)); // the rest is a hole
        }
        const auto read = readBounded(path);
        QCOMPARE(refusal(read), refused.isEmpty() ? QString() : refused.arg(path));
        if (refused.isEmpty()) {
            QCOMPARE(std::get<QByteArray>(read).size(), size);
            QVERIFY(std::get<QByteArray>(read).startsWith("#A93:"));
        }
        QFile::remove(path);
    }
};

QTEST_GUILESS_MAIN(PrivateFileTest)
#include "privatefile_test.moc"
