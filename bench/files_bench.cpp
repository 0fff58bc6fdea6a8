// The budgets of other programs' files: 10,000 AAF records in the shapes other programs write
// (zone differences without h or minutes, summer time "*", calendar marks, places with commas and
// countries by name, records without #B93 placed by the atlas, a Julian day ten minutes off the
// clock) imported into a new register, atlas built included (≤ 2 s); 1,000 of Maitreya's chart
// files imported at once (≤ 2 s).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "atlas/geonamesatlas.h"
#include "formats/import.h"
#include "sqlregister/sqlregister.h"

namespace {

using namespace zeitrad::formats;

// Record i in one of ten shapes, each name its own.
QByteArray record(int i) {
    const QDate date = QDate(1930, 1, 1).addDays(i * 3);
    const QString day = date.toString(QStringLiteral("d.M.yyyy"));
    const QString who = QStringLiteral("Name%1").arg(i);
    switch (i % 10) {
    case 0:
        return QStringLiteral("#A93:%1,Paul,m,%2,1:00,Aix-En-Provence,F\n#B93:*,43n31,5e27,*,L\n")
            .arg(who, day)
            .toUtf8();
    case 1:
        return QStringLiteral("#A93:%1,Karl,m,%2,15:31,Hamm,D\n"
                              "#B93:*,51N38:00,008E31:00,1hE00:00,*\n")
            .arg(who, day)
            .toUtf8();
    case 2:
        return QStringLiteral("#A93:%1,Marie,f,%2,12:00,Marseille,F\n#B93:*,43n18,5e22,0e21:28,0\n")
            .arg(who, day)
            .toUtf8();
    case 3:
        return QStringLiteral("#A93:%1,Hanna,f,%2G,13:45,Hannover,D\r\n").arg(who, day).toUtf8();
    case 4:
        return QStringLiteral("#A93:%1,Erik,m,%2,10:00,Enschede,NL\n#B93:*,52n13,6e54,1he,0\n")
            .arg(who, day)
            .toUtf8();
    case 5:
        return QStringLiteral("#A93:%1,Lara,f,%2,8:00,London,GB  \n#B93:*,51N30,000W07,00E00,0\n")
            .arg(who, day)
            .toUtf8();
    case 6:
        return QStringLiteral("#A93:*,%1 Slavova,f,%2,7:10,Samokov, Bulgaria\n")
            .arg(who, day)
            .toUtf8();
    case 7:
        return QStringLiteral("#:\n#A93:%1,*,E,%2,*,Freiburg,D\n").arg(who, day).toUtf8();
    case 8:
        return QStringLiteral("#A93:%1,Frank,m,%2,9:15,Frankfurt,Deutschland\n")
            .arg(who, day)
            .toUtf8();
    default: {
        // 14:30 at UT + 1 h is 13:30 UT; the Julian day says 13:40.
        const double jd = double(date.toJulianDay()) - 0.5 + (13.5 + 10 / 60.0) / 24;
        return QStringLiteral("#A93:%1,Zoe,f,%2,14:30,Ulm,D\n#B93:%3,48n24,9e59,1he00,0\n")
            .arg(who, day, QString::number(jd, 'f', 5))
            .toUtf8();
    }
    }
}

void importTenThousandShapes(benchmark::State& state) {
    QTemporaryDir dir;
    QByteArray file;
    for (int i = 0; i < 10000; ++i)
        file += record(i);
    const QString path = dir.filePath(QStringLiteral("formen.aaf"));
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write(file);
    out.close();
    int n = 0;
    for (auto _ : state) {
        zeitrad::atlas::GeonamesAtlas atlas;
        zeitrad::sqlregister::SqlRegister reg;
        reg.open(dir.filePath(QStringLiteral("bench-%1.sqlite").arg(n++)));
        const auto imported = importFiles(reg, {path}, [&atlas] { return &atlas; });
        const auto* files = std::get_if<QList<FileImported>>(&imported);
        if (!files || files->first().added != 10000)
            state.SkipWithError("not all records imported");
    }
}

void importThousandCharts(benchmark::State& state) {
    QTemporaryDir dir;
    QStringList paths;
    for (int i = 0; i < 1000; ++i) {
        const QDate date = QDate(1930, 1, 1).addDays(i * 29);
        paths << dir.filePath(QStringLiteral("karte-%1.mtx").arg(i));
        QFile out(paths.back());
        out.open(QIODevice::WriteOnly);
        out.write(QStringLiteral("#Maitreya 3.0\nKarte %1\n%2\n%3\n%4\n%5\n%6\n%7\nOrt %1\n"
                                 "%8\n%9\nBemerkung\n")
                      .arg(i)
                      .arg(date.day())
                      .arg(date.month())
                      .arg(date.year())
                      .arg((i % 96) / 4.0, 0, 'f', 8)
                      .arg(double(i % 3 - 1), 0, 'f', 8)
                      .arg(double(i % 2), 0, 'f', 8)
                      .arg(double(-120 + i % 240), 0, 'f', 8)
                      .arg(double(-60 + i % 120), 0, 'f', 8)
                      .toUtf8());
    }
    int n = 0;
    for (auto _ : state) {
        zeitrad::sqlregister::SqlRegister reg;
        reg.open(dir.filePath(QStringLiteral("bench-%1.sqlite").arg(n++)));
        const auto imported = importFiles(reg, paths, {});
        const auto* files = std::get_if<QList<FileImported>>(&imported);
        if (!files || files->size() != 1000 ||
            std::any_of(files->begin(), files->end(), [](auto& f) { return f.added != 1; }))
            state.SkipWithError("not all charts imported");
    }
}

} // namespace

BENCHMARK(importTenThousandShapes)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(importThousandCharts)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
