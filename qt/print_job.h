#pragma once

#include <QString>

#include "core/codec/channel_grid.h"
#include "core/config/language.h"
#include "core/image/radio_image.h"
#include "core/print/print_layout.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPrinter;

namespace radio {

// Draws the print job (option sheet, channel sheets, frame) onto a printer, a print preview or
// a PDF writer. Positions come from PrintLayout in twips; this class only maps them onto the
// device, picks the fonts and measures their line heights there.
class CPrintJob {
  public:
    CPrintJob(const RadioImage& image, const ChannelGrid& grid, Language lang,
              const QString& ownerText);

    // Recounts the channels: the option sheet plus the channel pages. Call it when a job or a
    // preview is prepared (it fixes the "of" number of the footers) and to set the dialog's
    // page range.
    int PreparePages();
    int LastPage() const { return m_layout.LastPage(); }

    // Prints pages fromPage..toPage (from 1, clamped to the job; 0 for either end means the
    // first or the last page). Returns false when nothing could be drawn on the device.
    bool Print(QPagedPaintDevice& device, int fromPage = 0, int toPage = 0);

    // Prints on a printer or a preview, honouring the page range chosen in its dialog.
    bool Print(QPrinter& printer);

    // The page units and the two fonts' line heights on `device`, as every page uses them.
    static PageMetrics Measure(const QPaintDevice& device);

  private:
    PrintLayout m_layout;
};

// Pages of a job over `grid`: the option sheet plus one page per seven channels in use.
int PageCount(const ChannelGrid& grid);

// The whole job in one call, as Print and Print Preview run it.
bool PrintDocument(QPagedPaintDevice& device, const RadioImage& image, const ChannelGrid& grid,
                   Language lang, const QString& ownerText, int fromPage = 0, int toPage = 0);

}  // namespace radio
