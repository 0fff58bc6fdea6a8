// Getting the period list and the overview out of the window: CSV, PDF, PNG and the printer.
// Every file is written through formats::savePrivately: whole or not at all, and readable by its
// owner alone (it names the birth and its date); the printer comes from the plugin "print"
// (periodlist/printing.h), loaded when the user first prints.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <vector>

#include "birth/register.h"
#include "engine/periods.h"
#include "periodlist/timelinepicture.h"

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace zeitrad::periodlist {

// The printer dialog, replaceable (the tests answer it without a modal dialog; the file dialogs
// they answer through widgets::FileDialog).
struct ExportDialogs {
    // Lets the user choose and set up the printer; false when the user cancels. Empty: the print
    // dialog of the plugin "print".
    std::function<bool(QWidget* parent, QPrinter& printer)> setUpPrinter;
};
// The dialogs in use: QPrintDialog unless replaced.
ExportDialogs& exportDialogs();

// What a period document shows: the birth (with its name when it came from the register), the
// Moon, the nakshatra, the ayanamsa and the year length above the periods down to `depth` levels,
// the periods running on `today` in bold. With `timeline`, the PDF begins with a landscape page of
// the timeline of that span, its bands down to `depth`.
struct PeriodDocument {
    QString birthName, birthDate, moon, nakshatra, ayanamsa;
    PeriodList list;
    CivilDate today;
    int depth = 3;
    std::optional<DaySpan> timeline;
};

// The document of a calculation's periods, as the window and zeitrad-dasa make it.
PeriodDocument documentOf(const Result& result, PeriodList list, const CivilDate& today, int depth,
                          const QString& birthName = {});
// The title of a timeline picture: "Vimsottari Dasa – Zeitleiste" (with the name), then the
// birth date, the nakshatra, the year length and the days the picture shows.
QString timelineTitle(const PeriodDocument& document, const TimelinePicture& picture);
// The picture of the timeline's span with its title and legend; `size`'s height 0 for the height
// its bands want.
QImage timelineImage(TimelinePicture& picture, const QString& title, QSize size);

// The document as HTML for QTextDocument: the mahadasas, with depth 2 or more all antardasas, and
// the levels from the third down to `depth` only within the periods running on the day (the
// pratyantardasas of the running antardasa, the sukshmadasas of the running pratyantardasa, the
// pranadasas of the running sukshmadasa): a life has 59,049 pranadasas, no document lists them
// all.
QString periodsHtml(const PeriodDocument& document);

// Each writes the file whole or not at all, for its owner alone; refused, with the German message
// naming the file, an earlier file of that name stays as it was.
Refused<birth::Done> saveBytes(const QString& path, const QByteArray& data);
Refused<birth::Done> savePdf(const QString& path, const PeriodDocument& document);
Refused<birth::Done> savePng(const QString& path, const QImage& image);

void printPeriods(QPagedPaintDevice& printer, const PeriodDocument& document);
void printImage(QPagedPaintDevice& printer, const QImage& image);

// Asks for a file name and writes it with `write` (which returns the message of a failure); a
// failure is shown in a message box, a cancelled dialog does nothing.
void exportToFile(QWidget* parent, const QString& caption, const QString& suggestedName,
                  const QString& filter,
                  const std::function<Refused<birth::Done>(const QString&)>& write);
// Asks for the printer and prints with `print`; a cancelled dialog does nothing. When the plugin
// "print" cannot be loaded, a message box says why and nothing is printed.
void printWithDialog(QWidget* parent, const std::function<void(QPagedPaintDevice&)>& print);

} // namespace zeitrad::periodlist
