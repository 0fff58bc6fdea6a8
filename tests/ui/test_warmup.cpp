// The program's own font configuration, loaded ahead of the window: it must find the fonts that
// fontconfig finds by itself and resolve the program's families to the same files, with the
// rendering it fixes. Runs without an application object, as the program's warm-up does, so that
// nothing else loads fontconfig first.
#include <QtTest>

#include <fontconfig/fontconfig.h>

#include <memory>
#include <set>
#include <string>

#include "app/warmup.h"

namespace {

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

std::set<std::string> fontFiles(FcConfig* config) {
    std::set<std::string> files;
    const FcFontSet* set = FcConfigGetFonts(config, FcSetSystem);
    for (int i = 0; set && i < set->nfont; ++i) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) == FcResultMatch)
            files.insert(reinterpret_cast<const char*>(file));
    }
    return files;
}

// What a program asking for this font gets, as fontconfig resolves it in this configuration.
struct Match {
    std::string file;
    int hintStyle = -1;
    FcBool antialias = FcFalse;
    FcBool embolden = FcFalse;
};

Match match(FcConfig* config, const char* family, int weight) {
    Pattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, weight);
    FcPatternAddDouble(pattern.get(), FC_PIXEL_SIZE, 13);
    FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    Pattern found(FcFontMatch(config, pattern.get(), &result));
    Match m;
    if (!found)
        return m;
    FcChar8* file = nullptr;
    if (FcPatternGetString(found.get(), FC_FILE, 0, &file) == FcResultMatch)
        m.file = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(found.get(), FC_HINT_STYLE, 0, &m.hintStyle);
    FcPatternGetBool(found.get(), FC_ANTIALIAS, 0, &m.antialias);
    FcPatternGetBool(found.get(), FC_EMBOLDEN, 0, &m.embolden);
    return m;
}

} // namespace

class WarmupTest : public QObject {
    Q_OBJECT
private slots:
    void resolvesTheProgramsFontsAsFontconfigDoes();
};

void WarmupTest::resolvesTheProgramsFontsAsFontconfigDoes() {
    zeitrad::app::FontWarmup warmup;
    zeitrad::app::FontWarmup second; // a second one while the first runs loads nothing
    zeitrad::app::awaitFontWarmup();
    FcConfig* warmed = FcConfigGetCurrent();
    QVERIFY(warmed);

    FcConfig* own = FcInitLoadConfigAndFonts();
    QVERIFY(own);
    QVERIFY(warmed != own);
    const std::set<std::string> files = fontFiles(warmed);
    QVERIFY(!files.empty());
    QVERIFY(files == fontFiles(own));

    // The families the screens ask for, their substitutes and the generic names, in the weights
    // they use: the same file, bold made up where the family has no bold face, and the fixed
    // rendering.
    for (const char* family : {"Liberation Sans", "Liberation Serif", "DejaVu Sans", "Arial",
                               "Times New Roman", "sans-serif", "serif", "Lohit Devanagari"}) {
        for (int weight : {FC_WEIGHT_REGULAR, FC_WEIGHT_BOLD}) {
            const Match expected = match(own, family, weight);
            const Match found = match(warmed, family, weight);
            const QByteArray what = QByteArray(family) + " " + QByteArray::number(weight);
            QVERIFY2(!expected.file.empty(), what);
            QCOMPARE(QString::fromStdString(found.file), QString::fromStdString(expected.file));
            QVERIFY2(found.embolden == expected.embolden, what);
            QVERIFY2(found.hintStyle == FC_HINT_SLIGHT, what);
            QVERIFY2(found.antialias, what);
        }
    }
    FcConfigDestroy(own);
}

QTEST_APPLESS_MAIN(WarmupTest)
#include "test_warmup.moc"
