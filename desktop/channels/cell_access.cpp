#include "desktop/channels/cell_access.h"

#include <QAccessible>
#include <QWidget>

QString CCellAccess::RowLabel(int row) {
    return QString::fromStdString(radio::ChannelGrid::RowLabel(row)).trimmed();
}

QString CCellAccess::RowName(int row) {
    const QString label = RowLabel(row);
    if (label == QLatin1String("Pr")) return tr("priority channel");
    return tr("channel %1").arg(label);
}

QString CCellAccess::CellName(const radio::ChannelGrid& grid, int row, int col) {
    const std::string_view heading = radio::ChannelGrid::Heading(col, grid.language());
    const QString value = QString::fromStdString(grid.Text(row, col));
    return tr("%1, %2: %3")
        .arg(QString::fromUtf8(heading.data(), qsizetype(heading.size())), RowName(row),
             value.isEmpty() ? tr("empty") : value);
}

QString CCellAccess::ChangedFrom(const QString& before) {
    return tr("changed from %1").arg(before.isEmpty() ? tr("empty") : before);
}

void CCellAccess::AnnounceFocus(QWidget* widget) {
    if (!widget || !QAccessible::isActive()) return;
    QAccessibleEvent event(widget, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}
