#include "qt/print_job.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace radio {

namespace {

constexpr double kTwipsPerInch = 1440.0;

// Times New Roman where it is installed, else its metric twin; the CJK families supply the
// Chinese glyphs (WenQuanYi first: its text extracts cleanly from PDFs).
const QStringList& FontFamilies() {
    static const QStringList families = {"Times New Roman", "Liberation Serif", "WenQuanYi Zen Hei",
                                         "Noto Sans CJK SC"};
    return families;
}

// Average character width as Windows fonts state it: lower-case letters and the space
// weighted by their frequency in English text. Liberation Serif's own average (taken over all
// its glyphs) is far wider than Times New Roman's, though every advance width is the same.
double AverageCharWidth(const QFont& font) {
    static constexpr int kWeights[26] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6, 35, 20,
                                         56, 56, 17, 4,  49,  56, 71, 31, 10, 18, 3, 18, 2};
    const QFontMetricsF metrics(font);
    double sum = 166 * metrics.horizontalAdvance(QLatin1Char(' '));
    for (int i = 0; i < 26; ++i)
        sum += kWeights[i] * metrics.horizontalAdvance(QLatin1Char(static_cast<char>('a' + i)));
    return sum / 1000.0;
}

// A font sized in twips (the painter's logical units): character height and, through the
// horizontal stretch, the requested average character width.
QFont MakeFont(FontRole role, const PageGeometry& geometry) {
    const FontSize size = FontSizeFor(role, geometry);
    QFont font;
    font.setFamilies(FontFamilies());
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(std::max(1, size.height));
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    const double natural = AverageCharWidth(font);
    if (natural > 0 && size.averageWidth > 0) {
        const int stretch = static_cast<int>(std::lround(100.0 * size.averageWidth / natural));
        font.setStretch(std::clamp(stretch, 1, 4000));
    }
    return font;
}

int LineHeight(const QFont& font, const QPaintDevice& device) {
    const QFontMetrics metrics(font, &device);
    return metrics.height() + metrics.leading();
}

void DrawPage(QPainter& painter, const QFont& large, const QFont& small,
              const std::vector<PrintItem>& items) {
    const double largeAscent = QFontMetricsF(large).ascent();
    const double smallAscent = QFontMetricsF(small).ascent();
    for (const PrintItem& item : items) {
        // The layout's y grows upwards; the painter's grows downwards.
        if (item.kind == PrintItem::Kind::Rule) {
            painter.drawLine(QPointF(item.x, -item.y), QPointF(item.x2, -item.y));
            continue;
        }
        const bool isLarge = item.font == FontRole::Large;
        painter.setFont(isLarge ? large : small);
        // The layout gives the top-left corner; QPainter wants the baseline.
        const double baseline = -item.y + (isLarge ? largeAscent : smallAscent);
        painter.drawText(QPointF(item.x, baseline), QString::fromStdString(item.text));
    }
}

}  // namespace

CPrintJob::CPrintJob(const RadioImage& image, const ChannelGrid& grid, Language lang,
                     const QString& ownerText)
    : m_layout(image, grid, lang, ownerText.toStdString()) {
    m_layout.PreparePages();
}

int CPrintJob::PreparePages() { return m_layout.PreparePages(); }

bool CPrintJob::Print(QPagedPaintDevice& device, int fromPage, int toPage) {
    const int last = m_layout.LastPage();
    const int first = std::clamp(fromPage > 0 ? fromPage : 1, 1, last);
    const int end = std::clamp(toPage > 0 ? toPage : last, first, last);

    QPainter painter;
    if (!painter.begin(&device)) return false;

    const int px = device.logicalDpiX();
    const int py = device.logicalDpiY();
    // Logical units are twips from the top-left corner of the printable area.
    painter.scale(px / kTwipsPerInch, py / kTwipsPerInch);
    // The printer's own one-pixel pen, whatever the resolution.
    painter.setPen(QPen(Qt::black, 0));

    for (int page = first; page <= end; ++page) {
        if (page != first && !device.newPage()) return false;
        // Every page sets up its units and fonts afresh.
        const PageMetrics metrics = Measure(device);
        DrawPage(painter, MakeFont(FontRole::Large, metrics.geometry),
                 MakeFont(FontRole::Small, metrics.geometry), m_layout.Page(page, metrics));
    }
    return painter.end();
}

bool CPrintJob::Print(QPrinter& printer) {
    if (printer.printRange() == QPrinter::PageRange)
        return Print(printer, printer.fromPage(), printer.toPage());
    return Print(static_cast<QPagedPaintDevice&>(printer), 0, 0);
}

PageMetrics CPrintJob::Measure(const QPaintDevice& device) {
    PageMetrics metrics;
    metrics.geometry = ComputePageGeometry(device.width(), device.height(), device.logicalDpiX(),
                                           device.logicalDpiY());
    metrics.largeLine = LineHeight(MakeFont(FontRole::Large, metrics.geometry), device);
    metrics.smallLine = LineHeight(MakeFont(FontRole::Small, metrics.geometry), device);
    return metrics;
}

int PageCount(const ChannelGrid& grid) {
    PageTable table;
    return table.CountChannelPages(grid) + 1;
}

bool PrintDocument(QPagedPaintDevice& device, const RadioImage& image, const ChannelGrid& grid,
                   Language lang, const QString& ownerText, int fromPage, int toPage) {
    CPrintJob job(image, grid, lang, ownerText);
    return job.Print(device, fromPage, toPage);
}

}  // namespace radio
