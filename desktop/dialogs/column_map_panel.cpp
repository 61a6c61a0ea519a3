#include "desktop/dialogs/column_map_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace {

// The words of the drop-downs' labels, in MapField order.
const char* const kFieldTitles[radio::kMapFieldCount] = {
    // Their keys stay clear of the preview's own (Replace, Merge, Move, Import).
    QT_TRANSLATE_NOOP("CColumnMapPanel", "Channel n&umber"),
    QT_TRANSLATE_NOOP("CColumnMapPanel", "Rx fre&quency"),
    QT_TRANSLATE_NOOP("CColumnMapPanel", "&Tx frequency"),
    QT_TRANSLATE_NOOP("CColumnMapPanel", "O&ffset"),
    QT_TRANSLATE_NOOP("CColumnMapPanel", "Offset &direction"),
    QT_TRANSLATE_NOOP("CColumnMapPanel", "Tx t&one"),
    QT_TRANSLATE_NOOP("CColumnMapPanel", "Rx ton&e"),
    QT_TRANSLATE_NOOP("CColumnMapPanel", "D&CS code"),
    QT_TRANSLATE_NOOP("CColumnMapPanel", "&Power"),
    QT_TRANSLATE_NOOP("CColumnMapPanel", "&Bandwidth"),
    QT_TRANSLATE_NOOP("CColumnMapPanel", "Mode (di&gital rows skipped)"),
    QT_TRANSLATE_NOOP("CColumnMapPanel", "&Scan"),
    QT_TRANSLATE_NOOP("CColumnMapPanel", "&Name"),
};

}  // namespace

CColumnMapPanel::CColumnMapPanel(QWidget* parent) : QGroupBox(parent) {
    setTitle(tr("Columns of the file"));
    setAccessibleName(tr("Columns of the file"));
    auto* grid = new QGridLayout(this);
    m_pNote = new QLabel(this);
    m_pNote->setWordWrap(true);
    grid->addWidget(m_pNote, 0, 0, 1, 8);
    // Four pairs of label and drop-down a line keep the step low above the preview table.
    constexpr int kPerLine = 4;
    for (int f = 0; f < radio::kMapFieldCount; ++f) {
        auto* box = new QComboBox(this);
        box->setObjectName(
            QString::fromLatin1(radio::MapFieldKey(static_cast<radio::MapField>(f)).data()));
        const QString title = tr(kFieldTitles[f]);
        box->setAccessibleName(QString(title).remove(QLatin1Char('&')));
        auto* label = new QLabel(title, this);
        label->setBuddy(box);
        grid->addWidget(label, 1 + f / kPerLine, 2 * (f % kPerLine));
        grid->addWidget(box, 1 + f / kPerLine, 2 * (f % kPerLine) + 1);
        connect(box, &QComboBox::currentIndexChanged, this, &CColumnMapPanel::MapChanged);
        m_boxes.append(box);
    }
    for (int col = 1; col < 2 * kPerLine; col += 2) grid->setColumnStretch(col, 1);
}

void CColumnMapPanel::SetColumns(const std::vector<std::string>& header,
                                 const radio::ColumnMap& map, bool remembered) {
    m_header = header;
    for (int f = 0; f < radio::kMapFieldCount; ++f) {
        QComboBox* box = m_boxes.at(f);
        const QSignalBlocker quiet(box);
        box->clear();
        box->addItem(tr("(none)"), -1);
        for (std::size_t i = 0; i < header.size(); ++i) {
            const QString name = QString::fromStdString(header[i]);
            box->addItem(tr("%1: %2").arg(i + 1).arg(name.isEmpty() ? tr("(no name)") : name),
                         static_cast<int>(i));
        }
        box->setCurrentIndex(std::max(0, box->findData(map.column[static_cast<std::size_t>(f)])));
    }
    m_pNote->setText(remembered
                         ? tr("The columns are set as for the last file with this header. "
                              "Change them if the preview is wrong; Import remembers them.")
                         : tr("The file's columns are not a layout the program knows. The "
                              "columns below are guessed from their names: check them against "
                              "the preview; Import remembers them for files with this header."));
    emit MapChanged();
}

radio::ColumnMap CColumnMapPanel::Map() const {
    radio::ColumnMap map;
    for (int f = 0; f < radio::kMapFieldCount; ++f)
        map.column[static_cast<std::size_t>(f)] = m_boxes.at(f)->currentData().toInt();
    return map;
}
