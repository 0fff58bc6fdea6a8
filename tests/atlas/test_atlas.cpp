// The atlas as a user meets it: German and English town names, whatever the process's locale
// (the tests run once with LANG=C.UTF-8 and once without LANG), the labels and coordinates the
// dialog shows, and names the atlas does not know.
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include "atlas/catalogue.h"
#include "atlas/geonamesatlas.h"

using zeitrad::atlas::GeonamesAtlas;
using zeitrad::birth::Place;

class AtlasTest : public QObject {
    Q_OBJECT
    GeonamesAtlas atlas;

private slots:
    // What the first answer to a typed name is: German and English names, umlauts typed
    // either way, beginnings; names the atlas does not know find nothing.
    void namesInGermanAndEnglish_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("label"); // of the first place found; empty: none
        QTest::addColumn<QString>("zone");
        const char* munich = "München, Bayern, Deutschland";
        const char* cologne = "Köln, Nordrhein-Westfalen, Deutschland";
        const char* milan = "Mailand, Lombardei, Italien";
        const char* rows[][3] = {
            {"München", munich, "Europe/Berlin"},
            {"Munich", munich, "Europe/Berlin"},
            {"muenchen", munich, "Europe/Berlin"},
            {"Köln", cologne, "Europe/Berlin"},
            {"Cologne", cologne, "Europe/Berlin"},
            {"KOLN", cologne, "Europe/Berlin"},
            {"Wien", "Wien, Österreich", "Europe/Vienna"},
            {"Vienna", "Wien, Österreich", "Europe/Vienna"},
            {"Mailand", milan, "Europe/Rome"},
            {"Milan", milan, "Europe/Rome"},
            {"Zürich", "Zürich, Kanton Zürich, Schweiz", "Europe/Zurich"},
            {"Rav", "Ravenna, Emilia-Romagna, Italien", "Europe/Rome"},
            {"Xyzzyqu", "", ""},
            {"  ", "", ""},
        };
        for (const auto& [typed, label, zone] : rows)
            QTest::newRow(typed) << QString(typed) << QString(label) << QString(zone);
    }
    void namesInGermanAndEnglish() {
        QFETCH(QString, typed);
        QFETCH(QString, label);
        QFETCH(QString, zone);
        const QList<Place> found = atlas.find(typed);
        QCOMPARE(found.isEmpty() ? QString() : found.first().label(), label);
        QCOMPARE(found.isEmpty() ? QString() : found.first().zoneId, zone);
    }

    void tenAtMostMostPopulousFirst() {
        const QList<Place> found = atlas.find("Mü");
        QCOMPARE(found.size(), 10);
        QCOMPARE(found.first().label(), "München, Bayern, Deutschland");
        QCOMPARE(found[1].label(), "Münster, Nordrhein-Westfalen, Deutschland");
        for (qsizetype i = 1; i < found.size(); ++i)
            QVERIFY(found[i - 1].population >= found[i].population);
        QCOMPARE(atlas.find("Frankfurt", 10).size(), 2);
    }

    // A whole name, alone or within a country or state (German, English or its code).
    void exactNameWithinCountryOrState_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("within");
        QTest::addColumn<QString>("label"); // empty: none
        const char* rows[][4] = {
            {"alone", "Frankfurt am Main", "", "Frankfurt am Main, Hessen, Deutschland"},
            {"state", "frankfurt (oder)", "Brandenburg",
             "Frankfurt (Oder), Brandenburg, Deutschland"},
            {"country", "Vienna", "Deutschland", ""},
            {"English country", "Wien", "Austria", "Wien, Österreich"},
            {"code", "Vienna", "US", "Vienna, Virginia, Vereinigte Staaten"},
            {"a beginning that is no town's name", "Frankf", "", ""},
            {"unknown", "Xyzzyhausen", "", ""},
        };
        for (const auto& [row, name, within, label] : rows)
            QTest::newRow(row) << QString(name) << QString(within) << QString(label);
    }
    void exactNameWithinCountryOrState() {
        QFETCH(QString, name);
        QFETCH(QString, within);
        QFETCH(QString, label);
        const std::optional<Place> place = atlas.exact(name, within);
        QCOMPARE(place ? place->label() : QString(), label);
    }

    // The towns as people write them: a name no town has exactly is the most populous town whose
    // name goes on with a qualifier, in the country given; "St." is "Sankt"; qualifiers cut short.
    void townsAsPeopleWriteThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("within");
        QTest::addColumn<QString>("label"); // empty: none
        const char* main = "Frankfurt am Main, Hessen, Deutschland";
        const char* oder = "Frankfurt (Oder), Brandenburg, Deutschland";
        const char* freiburg = "Freiburg im Breisgau, Baden-Württemberg, Deutschland";
        const char* rows[][3] = {
            {"Frankfurt", "", main},
            {"Frankfurt", "DE", main},
            {"Frankfurt", "Brandenburg", oder},
            {"Frankfurt/M.", "", main},
            {"Frankfurt a. M.", "", main},
            {"Frankfurt a.M.", "Deutschland", main},
            {"Frankfurt/Oder", "", oder},
            {"Freiburg", "Deutschland", freiburg},
            {"Freiburg i. Br.", "", freiburg},
            {"Halle", "DE", "Halle (Saale), Sachsen-Anhalt, Deutschland"},
            {"Mülheim", "Germany", "Mülheim (Ruhr), Nordrhein-Westfalen, Deutschland"},
            {"Sankt Gallen", "", "St. Gallen, Kanton St. Gallen, Schweiz"},
            {"St Pölten", "", "St. Pölten, Niederösterreich, Österreich"},
            // A town of the name is taken as it is; "Stuttgart" is no "Sankt"
            {"Stuttgart", "", "Stuttgart, Baden-Württemberg, Deutschland"},
            {"Halle", "Belgien", "Halle, Flandern, Belgien"},
            {"Frankfurt", "Österreich", ""},
        };
        for (const auto& [name, within, label] : rows)
            QTest::addRow("%s %s", name, within)
                << QString(name) << QString(within) << QString(label);
    }
    void townsAsPeopleWriteThem() {
        QFETCH(QString, name);
        QFETCH(QString, within);
        QFETCH(QString, label);
        const std::optional<Place> place = atlas.exact(name, within);
        QCOMPARE(place ? place->label() : QString(), label);
        if (within.isEmpty()) // the place field's list shows it first
            QCOMPARE(atlas.find(name).value(0).label(), label);
        // zeitrad-dasa's index, written by the first row, answers alike without the atlas.
        static QTemporaryDir dir;
        static bool first = true;
        GeonamesAtlas indexed;
        indexed.setExactIndex(dir.filePath("atlas-exact"));
        QCOMPARE(indexed.exact(name, within), place);
        QCOMPARE(indexed.built(), std::exchange(first, false));
    }

    void coordinatesInDegreesAndMinutes() {
        QCOMPARE(atlas.find("München").first().coordinates(), "48° 08′ N, 11° 35′ O");
        QCOMPARE(atlas.find("Buenos Aires").first().coordinates(), "34° 37′ S, 58° 23′ W");
        QCOMPARE(Place::coordinateText(51.4769, -0.0005), "51° 29′ N, 0° 00′ W");
        QCOMPARE(Place::longitudeText(9.99999), "10° 00′ O");
    }

    void rememberedPlaceComesBack() {
        const Place munich = atlas.find("München").first();
        QCOMPARE(Place::fromVariant(munich.toVariant()), munich);
        QVariantMap broken = munich.toVariant();
        broken["latitude"] = "Nord";
        QVERIFY(!Place::fromVariant(broken));
        QVERIFY(!Place::fromVariant({}));
    }

    // A damaged catalogue gives no names rather than wrong ones, and never reads past its end.
    void damagedCatalogueIsIgnored() {
        QFile german("/usr/share/locale/de/LC_MESSAGES/geonames.mo");
        QVERIFY(german.open(QIODevice::ReadOnly));
        const QByteArray whole = german.readAll();
        QCOMPARE(zeitrad::atlas::parseCatalogue(whole).value("2867714"), "München");
        for (const qsizetype cut : {qsizetype(3), qsizetype(20), whole.size() / 2})
            QVERIFY(zeitrad::atlas::parseCatalogue(whole.left(cut)).isEmpty());
        QVERIFY(zeitrad::atlas::parseCatalogue(QByteArray(64, '\xff')).isEmpty());
    }

    // zeitrad-dasa's index of names: written by the first exact(), it answers the next process
    // without building the atlas, the same places; one from other data is not trusted.
    void exactIndexAnswersWithoutBuilding() {
        QTemporaryDir dir;
        const QString path = dir.filePath("cache/atlas-exact");
        GeonamesAtlas first;
        first.setExactIndex(path);
        QCOMPARE(first.exact("Paris", "Texas")->zoneId, "America/Chicago");
        QVERIFY(first.built());

        const std::pair<QString, QString> asked[] = {{"Paris", "Texas"},
                                                     {"Paris", ""},
                                                     {"koeln", ""},
                                                     {"Frankfurt am Main", ""},
                                                     {"Ravensburg", "Deutschland"},
                                                     {"Ravensburg", "Italien"},
                                                     {"Xyzzyhausen", ""}};
        GeonamesAtlas second;
        second.setExactIndex(path);
        for (const auto& [name, within] : asked)
            QCOMPARE(second.exact(name, within), atlas.exact(name, within));
        QVERIFY(!second.built());

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.write("zeitrad-atlas-exact 0");
        file.close();
        // Builds once more and writes the index anew; the next process reads it.
        for (const bool builds : {true, false}) {
            GeonamesAtlas next;
            next.setExactIndex(path);
            QCOMPARE(next.exact("Paris", "")->label(), "Paris, Île-de-France, Frankreich");
            QCOMPARE(next.built(), builds);
        }
    }
};

QTEST_GUILESS_MAIN(AtlasTest)
#include "test_atlas.moc"
