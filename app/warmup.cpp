#include "app/warmup.h"

#include <fontconfig/fontconfig.h>

#include <thread>

namespace zeitrad::ui {

namespace {

bool hasCacheFolder(FcConfig* config) {
    FcStrList* folders = FcConfigGetCacheDirs(config);
    if (!folders)
        return false;
    const bool any = FcStrListNext(folders) != nullptr;
    FcStrListDone(folders);
    return any;
}

std::thread& fontThread() {
    static std::thread thread;
    return thread;
}

// Loads the system's font configuration (and the user's, which it includes) with the font caches
// and makes it the current one, where the toolkit's font database then finds it. This is what
// FcInit does, less its reading of the configuration templates that the system has not enabled,
// which costs as much again and serves only tools that list them. Should that fail (no
// configuration, no cache folder), FcInit does it all its own way.
void loadFontConfiguration() {
    if (FcConfig* config = FcConfigCreate()) {
        if (FcConfigParseAndLoad(config, nullptr, FcTrue) && hasCacheFolder(config) &&
            FcConfigBuildFonts(config))
            FcConfigSetCurrent(config); // takes a reference of its own
        FcConfigDestroy(config);
    }
    FcInit();
}

} // namespace

void startFontWarmup() {
    std::thread& thread = fontThread();
    if (thread.joinable())
        return;
    thread = std::thread(loadFontConfiguration);
}

void awaitFontWarmup() {
    std::thread& thread = fontThread();
    if (thread.joinable())
        thread.join();
}

} // namespace zeitrad::ui
