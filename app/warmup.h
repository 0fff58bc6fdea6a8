// Loading the program's font configuration with the font caches, begun beside the toolkit's own
// start. It needs neither the display nor the event loop, so it runs on a thread of its own from
// the moment the program starts; the window waits for it only before its first font is
// registered.
#pragma once

#include <thread>

namespace zeitrad::app {

// Starts loading the font configuration when made; make it before the application object. While
// it exists, awaitFontWarmup() waits for it. Destroying it waits for the loading thread. Only the
// first of several at a time loads anything.
class FontWarmup {
public:
    FontWarmup();
    ~FontWarmup();
    FontWarmup(const FontWarmup&) = delete;
    FontWarmup& operator=(const FontWarmup&) = delete;

    // Returns once the configuration is loaded.
    void await();

private:
    std::thread loader_;
};

// Returns once the configuration of the current FontWarmup is loaded, at once when there is none.
void awaitFontWarmup();

} // namespace zeitrad::app
