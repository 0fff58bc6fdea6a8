#include "printing/printplugin.h"

#include <QPrintDialog>
#include <QPrinter>

namespace zeitrad::printing {

bool PrintPlugin::print(QWidget* parent, const std::function<bool(QWidget*, QPrinter&)>& setUp,
                        const std::function<void(QPagedPaintDevice&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const bool chosen =
        setUp ? setUp(parent, printer) : QPrintDialog(&printer, parent).exec() == QDialog::Accepted;
    if (!chosen)
        return false;
    paint(printer);
    return true;
}

} // namespace zeitrad::printing
