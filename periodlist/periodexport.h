// Getting the period list and the overview out of the window: CSV, PDF, PNG and the printer.
// Every file is written through QSaveFile, so that a failed write leaves no half file behind; the
// printer comes from the plugin "print" (periodlist/printing.h), loaded when the user first prints.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

#include "engine/periods.h"

class QImage;
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
// the periods running on `today` in bold.
struct PeriodDocument {
    QString birthName, birthDate, moon, nakshatra, ayanamsa;
    PeriodList list;
    CivilDate today;
    int depth = 3;
};

// The whole list as CSV down to `depth` levels (1 .. 5): UTF-8, a header row, ';' between the
// fields, one line per period. Its columns are those of every earlier version, and of
// zeitrad-dasa --format csv: the ayanamsa goes into the suggested file name instead.
QByteArray periodsCsv(const PeriodList& list, int depth = 3);
// The document as HTML for QTextDocument: the mahadasas, with depth 2 or more all antardasas, and
// the levels from the third down to `depth` only within the periods running on the day (the
// pratyantardasas of the running antardasa, the sukshmadasas of the running pratyantardasa, the
// pranadasas of the running sukshmadasa): a life has 59,049 pranadasas, no document lists them
// all.
QString periodsHtml(const PeriodDocument& document);

// Each returns an empty string when the file was written, else the German message to show.
QString saveBytes(const QString& path, const QByteArray& data);
QString savePdf(const QString& path, const PeriodDocument& document);
QString savePng(const QString& path, const QImage& image);

void printPeriods(QPagedPaintDevice& printer, const PeriodDocument& document);
void printImage(QPagedPaintDevice& printer, const QImage& image);

// Asks for a file name and writes it with `write` (which returns the message of a failure); a
// failure is shown in a message box, a cancelled dialog does nothing.
void exportToFile(QWidget* parent, const QString& caption, const QString& suggestedName,
                  const QString& filter, const std::function<QString(const QString&)>& write);
// Asks for the printer and prints with `print`; a cancelled dialog does nothing. When the plugin
// "print" cannot be loaded, a message box says why and nothing is printed.
void printWithDialog(QWidget* parent, const std::function<void(QPagedPaintDevice&)>& print);

} // namespace zeitrad::periodlist
