// Loading the program's font configuration with the font caches, begun beside the toolkit's own
// start. It needs neither the display nor the event loop, so it runs on a thread of its own from
// the moment the program starts; the window waits for it only before its first font is
// registered.
#pragma once

namespace zeitrad::ui {

// Starts loading the font configuration. Call before the application object exists.
void startFontWarmup();

// Returns once the configuration started by startFontWarmup() is loaded, at once when none was
// started.
void awaitFontWarmup();

} // namespace zeitrad::ui
