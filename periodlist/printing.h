// Printing, the one thing the print support library is needed for, lives in the plugin "print"
// (printing/), loaded through pluginloader::plugin<Printing>("print") when the user first prints;
// the window program itself does not link the print support.
#pragma once

#include <QtPlugin>

#include <functional>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace zeitrad::periodlist {

class Printing {
public:
    virtual ~Printing() = default;
    // Sets up an A4 printer at high resolution, lets the user choose it with `setUp` (with the
    // print dialog when `setUp` is empty) and, unless that is cancelled, paints the pages with
    // `paint`. False when the user cancelled.
    virtual bool print(QWidget* parent, const std::function<bool(QWidget*, QPrinter&)>& setUp,
                       const std::function<void(QPagedPaintDevice&)>& paint) = 0;
};

} // namespace zeitrad::periodlist

#define ZeitradPrinting_iid "example.kelmora.zeitrad.Printing/1"
Q_DECLARE_INTERFACE(zeitrad::periodlist::Printing, ZeitradPrinting_iid)
