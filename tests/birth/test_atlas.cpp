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
    void namesInGermanAndEnglish_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("zone");
        const QString munich = "München, Bayern, Deutschland";
        const QString cologne = "Köln, Nordrhein-Westfalen, Deutschland";
        const QString vienna = "Wien, Österreich";
        const QString milan = "Mailand, Lombardei, Italien";
        QTest::newRow("München") << "München" << munich << "Europe/Berlin";
        QTest::newRow("Munich") << "Munich" << munich << "Europe/Berlin";
        QTest::newRow("muenchen") << "muenchen" << munich << "Europe/Berlin";
        QTest::newRow("Köln") << "Köln" << cologne << "Europe/Berlin";
        QTest::newRow("Cologne") << "Cologne" << cologne << "Europe/Berlin";
        QTest::newRow("KOLN") << "KOLN" << cologne << "Europe/Berlin";
        QTest::newRow("Wien") << "Wien" << vienna << "Europe/Vienna";
        QTest::newRow("Vienna") << "Vienna" << vienna << "Europe/Vienna";
        QTest::newRow("Mailand") << "Mailand" << milan << "Europe/Rome";
        QTest::newRow("Milan") << "Milan" << milan << "Europe/Rome";
        QTest::newRow("Zürich") << "Zürich"
                                << "Zürich, Kanton Zürich, Schweiz"
                                << "Europe/Zurich";
        QTest::newRow("Rav") << "Rav"
                             << "Ravenna, Emilia-Romagna, Italien"
                             << "Europe/Rome";
    }
    void namesInGermanAndEnglish() {
        QFETCH(QString, typed);
        QFETCH(QString, label);
        QFETCH(QString, zone);
        const QList<Place> found = atlas.find(typed);
        QVERIFY(!found.isEmpty());
        QCOMPARE(found.first().label(), label);
        QCOMPARE(found.first().zoneId, zone);
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

    void exactNameWithinCountryOrState_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("qualifier");
        QTest::addColumn<QString>("label"); // empty: none
        QTest::newRow("alone") << "Frankfurt am Main"
                               << ""
                               << "Frankfurt am Main, Hessen, Deutschland";
        QTest::newRow("state") << "frankfurt (oder)"
                               << "Brandenburg"
                               << "Frankfurt (Oder), Brandenburg, Deutschland";
        QTest::newRow("country") << "Vienna"
                                 << "Deutschland"
                                 << "";
        QTest::newRow("English country") << "Wien"
                                         << "Austria"
                                         << "Wien, Österreich";
        QTest::newRow("code") << "Vienna"
                              << "US"
                              << "Vienna, Virginia, Vereinigte Staaten";
        QTest::newRow("prefix only") << "Frankfurt"
                                     << ""
                                     << "";
        QTest::newRow("unknown") << "Xyzzyhausen"
                                 << ""
                                 << "";
    }
    void exactNameWithinCountryOrState() {
        QFETCH(QString, name);
        QFETCH(QString, qualifier);
        QFETCH(QString, label);
        const std::optional<Place> place = atlas.exact(name, qualifier);
        QCOMPARE(place ? place->label() : QString(), label);
    }

    void unknownNamesFindNothing() {
        QVERIFY(atlas.find("Xyzzyqu").isEmpty());
        QVERIFY(atlas.find("  ").isEmpty());
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
        GeonamesAtlas third;
        third.setExactIndex(path);
        QCOMPARE(third.exact("Paris", "")->label(), "Paris, Île-de-France, Frankreich");
        QVERIFY(third.built());
        GeonamesAtlas fourth;
        fourth.setExactIndex(path);
        QCOMPARE(fourth.exact("Paris", "")->label(), "Paris, Île-de-France, Frankreich");
        QVERIFY(!fourth.built()); // the index was written anew
    }
};

QTEST_GUILESS_MAIN(AtlasTest)
#include "test_atlas.moc"
