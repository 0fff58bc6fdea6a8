#include "app/warmup.h"

#include <fontconfig/fontconfig.h>

#include <cstdlib>

namespace zeitrad::app {

namespace {

// The program's own font configuration: the system's and the user's font folders and caches, the
// rendering of a standard desktop (slight hinting, grey antialiasing, bold and oblique made up for
// faces that lack them), the fonts of the same metrics for Arial and Times New Roman, the generic
// families, and no bitmap fonts. Owning it fixes how text is
// drawn, as the fixed palette and style fix the rest; and it loads in a fiftieth of the time that
// the system's forty-odd configuration files take.
constexpr const char* programConfiguration = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts</dir>
  <dir>/usr/local/share/fonts</dir>
  <dir prefix="xdg">fonts</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir prefix="xdg">fontconfig</cachedir>
  <match target="pattern">
    <edit name="hintstyle" mode="append"><const>hintslight</const></edit>
    <edit name="antialias" mode="append"><bool>true</bool></edit>
    <edit name="lcdfilter" mode="append"><const>lcddefault</const></edit>
  </match>
  <match target="font">
    <test name="slant"><const>roman</const></test>
    <test target="pattern" name="slant" compare="not_eq"><const>roman</const></test>
    <edit name="matrix" mode="assign">
      <times><name>matrix</name><matrix><double>1</double><double>0.2</double>
        <double>0</double><double>1</double></matrix></times>
    </edit>
    <edit name="slant" mode="assign"><const>oblique</const></edit>
    <edit name="embeddedbitmap" mode="assign"><bool>false</bool></edit>
  </match>
  <match target="font">
    <test name="weight" compare="less_eq"><const>medium</const></test>
    <test target="pattern" name="weight" compare="more_eq"><const>bold</const></test>
    <edit name="embolden" mode="assign"><bool>true</bool></edit>
    <edit name="weight" mode="assign"><const>bold</const></edit>
  </match>
  <alias binding="same"><family>Arial</family><accept><family>Liberation Sans</family></accept></alias>
  <alias binding="same"><family>Times New Roman</family><accept><family>Liberation Serif</family></accept></alias>
  <alias><family>sans-serif</family><prefer><family>DejaVu Sans</family></prefer></alias>
  <alias><family>serif</family><prefer><family>DejaVu Serif</family></prefer></alias>
  <alias><family>monospace</family><prefer><family>DejaVu Sans Mono</family></prefer></alias>
  <selectfont>
    <rejectfont><pattern><patelt name="scalable"><bool>false</bool></patelt></pattern></rejectfont>
  </selectfont>
</fontconfig>
)";

bool hasCacheFolder(FcConfig* config) {
    FcStrList* folders = FcConfigGetCacheDirs(config);
    if (!folders)
        return false;
    const bool any = FcStrListNext(folders) != nullptr;
    FcStrListDone(folders);
    return any;
}

bool hasFonts(FcConfig* config) {
    const FcFontSet* fonts = FcConfigGetFonts(config, FcSetSystem);
    return fonts && fonts->nfont > 0;
}

// The warm-up that awaitFontWarmup() waits for. Made, awaited and destroyed on the thread that
// starts the program.
FontWarmup* activeWarmup = nullptr;

// Makes the program's configuration the current one, where the toolkit's font database finds it.
// Someone who points fontconfig at a configuration of their own keeps it, and should the
// program's find no fonts, the system's is loaded instead: FcInit loads whichever applies when
// none is current yet.
void loadFontConfiguration() {
    const bool chosen = std::getenv("FONTCONFIG_FILE") || std::getenv("FONTCONFIG_PATH");
    if (!chosen) {
        if (FcConfig* config = FcConfigCreate()) {
            const auto* text = reinterpret_cast<const FcChar8*>(programConfiguration);
            if (FcConfigParseAndLoadFromMemory(config, text, FcTrue) && hasCacheFolder(config) &&
                FcConfigBuildFonts(config) && hasFonts(config))
                FcConfigSetCurrent(config); // takes a reference of its own
            FcConfigDestroy(config);
        }
    }
    FcInit();
}

} // namespace

FontWarmup::FontWarmup() {
    if (activeWarmup)
        return;
    activeWarmup = this;
    loader_ = std::thread(loadFontConfiguration);
}

FontWarmup::~FontWarmup() {
    await();
    if (activeWarmup == this)
        activeWarmup = nullptr;
}

void FontWarmup::await() {
    if (loader_.joinable())
        loader_.join();
}

void awaitFontWarmup() {
    if (activeWarmup)
        activeWarmup->await();
}

} // namespace zeitrad::app
