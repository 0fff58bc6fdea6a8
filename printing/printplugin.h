// The plugin "print": QPrinter and QPrintDialog for the rest of the program (periods/printing.h).
#pragma once

#include <QObject>

#include "periods/printing.h"

namespace zeitrad::ui {

class PrintPlugin : public QObject, public Printing {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZeitradPrinting_iid)
    Q_INTERFACES(zeitrad::ui::Printing)
public:
    bool print(QWidget* parent, const std::function<bool(QWidget*, QPrinter&)>& setUp,
               const std::function<void(QPagedPaintDevice&)>& paint) override;
};

} // namespace zeitrad::ui
