#include "desktop/channels/cell_report.h"

#include <QStringList>

#include "core/codec/edit_rules.h"
#include "qt/phrase_text.h"

namespace {

// A report lists this many cells; more would not fit a message box.
constexpr int kReportedCells = 20;

QString ChannelOf(int row) {
    return CellReport::tr("channel %1")
        .arg(QString::fromStdString(radio::ChannelGrid::RowLabel(row)).trimmed());
}

// The grid's heading in the display language: the English heading is a marked text.
QString Heading(int col) {
    return radio::TranslatedText(radio::ChannelGrid::Heading(col, radio::Language::English));
}

// A section: its head, a blank line, the first items, how many more there are.
void AddSection(QStringList& lines, const QString& head, const QStringList& items, int count,
                const QString& more) {
    if (!lines.isEmpty()) lines << QString();
    lines << head << QString() << items;
    if (count > kReportedCells) lines << more.arg(count - kReportedCells);
}

}  // namespace

QString CellReport::Text(bool pasted, const radio::CellsOutcome& outcome, int rowsCut,
                         int colsCut) {
    QStringList lines;
    const QString more = tr("... and %1 more.");
    if (const int n = static_cast<int>(outcome.rejected.size()); n > 0) {
        QStringList items;
        for (int i = 0; i < n && i < kReportedCells; ++i) {
            const radio::CellRejection& r = outcome.rejected[static_cast<std::size_t>(i)];
            items << tr("%1, %2, \"%3\": %4")
                         .arg(ChannelOf(r.row), Heading(r.col), QString::fromStdString(r.text),
                              radio::TranslatedText(r.reason));
        }
        QString head;
        if (pasted)
            head = n == 1 ? tr("1 pasted cell was not stored:")
                          : tr("%1 pasted cells were not stored:").arg(n);
        else
            head = n == 1 ? tr("1 filled cell was not stored:")
                          : tr("%1 filled cells were not stored:").arg(n);
        AddSection(lines, head, items, n, more);
    }
    if (const int n = static_cast<int>(outcome.cutNames.size()); n > 0) {
        QStringList items;
        for (int i = 0; i < n && i < kReportedCells; ++i) {
            const radio::NameCut& cut = outcome.cutNames[static_cast<std::size_t>(i)];
            items << tr("%1: %2 cut to %3")
                         .arg(ChannelOf(cut.row), QString::fromStdString(cut.text),
                              QString::fromStdString(cut.stored));
        }
        const auto length = static_cast<int>(radio::kChannelNameLength);
        const QString head =
            n == 1 ? tr("1 name was longer than the %1 characters the radio shows, and was cut:")
                         .arg(length)
                   : tr("%1 names were longer than the %2 characters the radio shows, and were "
                        "cut:")
                         .arg(n)
                         .arg(length);
        AddSection(lines, head, items, n, more);
    }
    if (rowsCut > 0 || colsCut > 0) {
        if (!lines.isEmpty()) lines << QString();
        QStringList parts;
        if (rowsCut > 0)
            parts << (rowsCut == 1 ? tr("1 row past channel 199")
                                   : tr("%1 rows past channel 199").arg(rowsCut));
        const QString lastColumn = Heading(radio::kColName);
        if (colsCut > 0)
            parts << (colsCut == 1 ? tr("1 column past %1").arg(lastColumn)
                                   : tr("%1 columns past %2").arg(colsCut).arg(lastColumn));
        lines << tr("The text reached %1: the grid ends there, and that part was left out.")
                     .arg(parts.size() == 2 ? tr("%1 and %2").arg(parts[0], parts[1]) : parts[0]);
    }
    return lines.join(QLatin1Char('\n'));
}

QString CellReport::Skipped(int skipped) {
    if (skipped <= 0) return {};
    return skipped == 1 ? tr("1 cell of an empty channel skipped: a channel without an Rx "
                             "Frequency takes no settings.")
                        : tr("%1 cells of empty channels skipped: a channel without an Rx "
                             "Frequency takes no settings.")
                              .arg(skipped);
}
