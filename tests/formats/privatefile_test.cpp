// The settings written privately: settings that others could read become the owner's, and
// settings that cannot be written say so.
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "formats/privatefile.h"
#include "tests/files.h"

using namespace zeitrad::formats;

namespace {

QString refusal(const auto& r) {
    const auto* why = std::get_if<zeitrad::Refusal>(&r);
    return why ? QString::fromStdString(why->message) : QString();
}

} // namespace

class PrivateFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void settingsAreTheOwners_data() {
        QTest::addColumn<bool>("earlier"); // a file of 0644 with a setting of its own
        QTest::newRow("new file") << false;
        QTest::newRow("earlier file of 0644") << true;
    }
    void settingsAreTheOwners() {
        QFETCH(bool, earlier);
        const QString path = dir_.filePath(QStringLiteral("%1/zeitrad.conf").arg(earlier));
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        if (earlier)
            testfiles::make(path, "[Geburten]\nalt=1\n");
        {
            QSettings settings(path, QSettings::IniFormat);
            settings.setValue("Geburten/zuletzt", QStringList{"7", "3", "1985"});
            QCOMPARE(refusal(syncPrivately(settings)), QString());
        }
        QCOMPARE(testfiles::mode(path), 0600);
        const QSettings again(path, QSettings::IniFormat);
        QCOMPARE(again.value("Geburten/zuletzt").toStringList(), (QStringList{"7", "3", "1985"}));
        QCOMPARE(again.value("Geburten/alt").isValid(), earlier);
    }

    // Where a file stands in the place of their folder, the settings say so and leave it.
    void settingsThatCannotBeWrittenSaySo() {
        const QString blocker = dir_.filePath("datei");
        testfiles::make(blocker, "kein Ordner");
        QSettings settings(blocker + "/zeitrad.conf", QSettings::IniFormat);
        settings.setValue("Mond/Ort", "Ravensburg");
        QCOMPARE(
            refusal(syncPrivately(settings)),
            QStringLiteral("Die Datei „%1/zeitrad.conf“ ließ sich nicht schreiben: ein Teil des "
                           "Pfads ist kein Ordner. Eine frühere Datei dieses Namens bleibt "
                           "unverändert.")
                .arg(blocker));
        QCOMPARE(testfiles::bytesOf(blocker), QByteArray("kein Ordner"));
    }
};

QTEST_GUILESS_MAIN(PrivateFileTest)
#include "privatefile_test.moc"
