// The register's budgets: 10,000 AAF records read and imported (≤ 2 s), the register window
// opened on 10,000 births (≤ 100 ms), and the table filtered at a keystroke (≤ 30 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include "formats/aaf.h"
#include "registerwindow/registerwindow.h"
#include "sqlregister/sqlregister.h"

namespace {

using namespace zeitrad::birth;
using namespace zeitrad::formats;

const char* const surnames[] = {"Müller", "Schmidt", "Schneider", "Fischer", "Weber",
                                "Meyer",  "Wagner",  "Becker",    "Schulz",  "Hoffmann"};
const char* const places[] = {"München", "Köln", "Zürich", "Wien", "Graz", "Basel", "Jena"};

// 10,000 distinct records, each with #A93, #B93, #ZNAM and a comment.
QByteArray tenThousandRecords() {
    QByteArray file;
    for (int i = 0; i < 10000; ++i) {
        const QDate date = QDate(1930, 1, 1).addDays(i * 3);
        file += QStringLiteral("#A93:%1,Vorname %2,f,%3,%4:%5,%6,D\n#B93:*,48n08,11e34,1he00,0\n"
                               "#ZNAM:Europe/Berlin\n#COM:Klientin seit %7\n")
                    .arg(QString::fromUtf8(surnames[i % 10]))
                    .arg(i)
                    .arg(date.toString(QStringLiteral("d.M.yyyy")))
                    .arg(i % 24)
                    .arg(i % 60, 2, 10, QLatin1Char('0'))
                    .arg(QString::fromUtf8(places[i % 7]))
                    .arg(1990 + i % 30)
                    .toUtf8();
    }
    return file;
}

void importTenThousand(benchmark::State& state) {
    const QByteArray file = tenThousandRecords();
    int n = 0;
    for (auto _ : state) {
        QTemporaryDir dir;
        zeitrad::sqlregister::SqlRegister reg;
        reg.open(dir.filePath(QStringLiteral("bench-%1.sqlite").arg(n++)));
        const AafRead read = readAaf(file);
        const auto report = reg.import(read.births, read.lines);
        if (std::get<ImportReport>(report).added != 10000)
            state.SkipWithError("not all records imported");
    }
}

struct Filled {
    QTemporaryDir dir;
    zeitrad::sqlregister::SqlRegister reg;
    Filled() {
        reg.open(dir.filePath(QStringLiteral("bench.sqlite")));
        const AafRead read = readAaf(tenThousandRecords());
        reg.import(read.births, read.lines);
    }
};

void openWindowOnTenThousand(benchmark::State& state) {
    Filled filled;
    for (auto _ : state) {
        zeitrad::registerwindow::RegisterWindow window(&filled.reg);
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.findChild<QTableView*>()->model()->rowCount());
    }
}

// One keystroke after another: "m", "mu", "mul", "mull", then back to "m".
void filterKeystroke(benchmark::State& state) {
    Filled filled;
    zeitrad::registerwindow::RegisterWindow window(&filled.reg);
    window.show();
    QApplication::processEvents();
    auto* search = window.findChild<QLineEdit*>(QStringLiteral("BirthSearch"));
    const QStringList typed = {"m", "mu", "mul", "mull", "mulle", "muller", "mull", "m"};
    int i = 0;
    for (auto _ : state) {
        search->setText(typed[i++ % typed.size()]);
        QApplication::processEvents();
    }
}

} // namespace

BENCHMARK(importTenThousand)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(openWindowOnTenThousand)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(filterKeystroke)->Unit(benchmark::kMillisecond)->Iterations(40);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
