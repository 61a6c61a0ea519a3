#include "desktop/channels/import_landing.h"

#include <QCoreApplication>
#include <algorithm>

#include "core/formats/image_diff.h"
#include "desktop/channels/ms_flex_grid.h"
#include "desktop/channels/program_view.h"
#include "desktop/document/program_doc.h"

namespace {

QString ChannelOfRow(int row) { return QString::fromStdString(radio::ChannelLabel(row - 1)); }

}  // namespace

QString ImportedText(const radio::ImportResult& result) {
    const std::vector<int>& into = result.importedRows;
    // Rows the import emptied (replacing all channels) besides those it filled.
    const auto emptied = static_cast<int>(
        std::count_if(result.changedRows.begin(), result.changedRows.end(),
                      [&](int row) { return result.grid.Text(row, radio::kColRxFreq).empty(); }));
    QString text;
    if (into.empty()) {
        text = QCoreApplication::translate("ImportLanding", "Imported no channel");
    } else {
        const QString where = into.size() == 1
                                  ? ChannelOfRow(into.front())
                                  : QStringLiteral("%1-%2").arg(ChannelOfRow(into.front()),
                                                                ChannelOfRow(into.back()));
        text = result.stored == 1
                   ? QCoreApplication::translate("ImportLanding", "Imported 1 channel into %1")
                         .arg(where)
                   : QCoreApplication::translate("ImportLanding", "Imported %1 channels into %2")
                         .arg(result.stored)
                         .arg(where);
    }
    if (emptied == 1)
        text += QCoreApplication::translate("ImportLanding", "; 1 other channel emptied");
    if (emptied > 1)
        text += QCoreApplication::translate("ImportLanding", "; %1 other channels emptied")
                    .arg(emptied);
    return text;
}

QString LandImport(CProgramView& view, const radio::ImportResult& result) {
    CProgramDoc* doc = view.GetDocument();
    CMSFlexGrid* grid = view.Grid();
    if (!doc || result.changedRows.empty()) return {};
    const int first = result.changedRows.front();
    const radio::CellRange landed =
        radio::CellRange::Spanning(first, 1, first, radio::kChannelColumns);
    if (!doc->ReplaceChannels(result.grid, landed, grid->Selection())) return {};
    // The cell's editor opens over it, which also scrolls it into view.
    grid->SetCurrentCell(landed.top, landed.left);
    grid->SelectRange(landed);
    grid->scrollTo(grid->currentIndex());
    return ImportedText(result);
}
