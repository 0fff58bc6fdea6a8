// An opt-in hook for start-up measurements: with ZEITRAD_EXIT_AFTER_FIRST_PAINT set in the
// environment, the window's first paint is reported on standard output and the program quits.
#pragma once

class QWidget;

namespace zeitrad {

// The variable that asks for the report.
inline constexpr char exitAfterFirstPaintVariable[] = "ZEITRAD_EXIT_AFTER_FIRST_PAINT";

// When the variable is set, watches the window: once its first paint has reached the screen,
// prints one line
//   first paint: <ms> ms after process start, at <seconds since the epoch> s
// and quits the application. Does nothing when the variable is not set.
void exitAfterFirstPaintIfAsked(QWidget* window);

} // namespace zeitrad
