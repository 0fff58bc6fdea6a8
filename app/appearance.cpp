#include "app/appearance.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPalette>
#include <QStyleFactory>
#include <QToolTip>

#include "app/warmup.h"
#include "widgets/colors.h"
#include "widgets/fonts.h"

namespace zeitrad::app {

using namespace zeitrad::widgets;

namespace {

// Tahoma comes compiled into the program when the build machine had it (see CMakeLists.txt).
bool registerTahoma() {
    static const bool registered = [] {
        return QFontDatabase::addApplicationFont(":/fonts/tahoma.ttf") >= 0;
    }();
    return registered;
}

void substituteFonts() {
    // The first font work of the program: the font configuration must be loaded by then.
    awaitFontWarmup();
    // Liberation Sans and Serif share the metrics of the two fonts they stand for.
    QFont::insertSubstitutions("Arial", {"Liberation Sans", "DejaVu Sans"});
    QFont::insertSubstitutions("Times New Roman", {"Liberation Serif", "DejaVu Serif"});
    if (!registerTahoma())
        QFont::insertSubstitution("Tahoma", "DejaVu Sans");
}

QPalette fixedPalette() {
    QPalette pal;
    pal.setColor(QPalette::Window, colors::buttonFace);
    pal.setColor(QPalette::Button, colors::buttonFace);
    pal.setColor(QPalette::WindowText, colors::windowText);
    pal.setColor(QPalette::ButtonText, colors::windowText);
    pal.setColor(QPalette::Text, colors::windowText);
    pal.setColor(QPalette::Base, colors::window);
    pal.setColor(QPalette::AlternateBase, colors::buttonFace);
    pal.setColor(QPalette::Light, colors::buttonHighlight);
    pal.setColor(QPalette::Midlight, QColor(227, 227, 227));
    pal.setColor(QPalette::Mid, colors::buttonShadow);
    pal.setColor(QPalette::Dark, colors::buttonShadow);
    pal.setColor(QPalette::Shadow, QColor(105, 105, 105));
    pal.setColor(QPalette::Highlight, QColor(0, 120, 215));
    pal.setColor(QPalette::HighlightedText, colors::highlightText);
    pal.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    pal.setColor(QPalette::ToolTipText, colors::windowText);
    pal.setColor(QPalette::BrightText, colors::white);
    pal.setColor(QPalette::PlaceholderText, colors::grey);
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        pal.setColor(QPalette::Disabled, role, colors::buttonShadow);
    return pal;
}

} // namespace

void applyAppearance() {
    substituteFonts();
    if (QStyle* fusion = QStyleFactory::create("Fusion"))
        QApplication::setStyle(fusion);
    QApplication::setPalette(fixedPalette());
    QToolTip::setPalette(fixedPalette());
    QApplication::setFont(windowFont());
}

QString resolvedFamily(const QString& requested) {
    substituteFonts();
    return QFontInfo(QFont(requested)).family();
}

} // namespace zeitrad::app
