#pragma once

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace radio {

class CPrintJob;

// File > Print (withDialog) and printing without the dialog: counts the pages, lets the user
// choose printer and page range when asked, then prints. Returns true when pages were printed;
// false when the dialog was cancelled or the printer refused.
bool PrintWithPrinter(QWidget* parent, QPrinter& printer, CPrintJob& job, bool withDialog);

// File > Print Preview: a preview window of the job's pages on `printer`, from which the user
// may also print. The caller shows it (exec()); `job` must outlive it.
QPrintPreviewDialog* MakePrintPreview(QWidget* parent, QPrinter& printer, CPrintJob& job);

}  // namespace radio
