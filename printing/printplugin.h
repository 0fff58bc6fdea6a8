// The plugin "print": QPrinter and QPrintDialog for the rest of the program
// (periodlist/printing.h).
#pragma once

#include <QObject>

#include "periodlist/printing.h"

namespace zeitrad::printing {

class PrintPlugin : public QObject, public periodlist::Printing {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZeitradPrinting_iid)
    Q_INTERFACES(zeitrad::periodlist::Printing)
public:
    bool print(QWidget* parent, const std::function<bool(QWidget*, QPrinter&)>& setUp,
               const std::function<void(QPagedPaintDevice&)>& paint) override;
};

} // namespace zeitrad::printing
