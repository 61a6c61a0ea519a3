#include "desktop/printing/print_dialogs.h"

#include <QAbstractPrintDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "qt/print_job.h"

namespace radio {

bool PrintWithPrinter(QWidget* parent, QPrinter& printer, CPrintJob& job, bool withDialog) {
    const int last = job.PreparePages();
    if (withDialog) {
        QPrintDialog dialog(&printer, parent);
        dialog.setMinMax(1, last);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        if (dialog.exec() != QDialog::Accepted) return false;
    } else {
        // A range left over from an earlier dialog would silently drop pages.
        printer.setPrintRange(QPrinter::AllPages);
    }
    return job.Print(printer);
}

QPrintPreviewDialog* MakePrintPreview(QWidget* parent, QPrinter& printer, CPrintJob& job) {
    job.PreparePages();
    auto* preview = new QPrintPreviewDialog(&printer, parent);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    // The preview repaints on zoom and page setup, and the print button reuses it: each time
    // the whole job is drawn again from the document as it is then.
    QObject::connect(preview, &QPrintPreviewDialog::paintRequested, preview,
                     [&job](QPrinter* target) { job.Print(*target); });
    return preview;
}

}  // namespace radio
