#pragma once

#include <QCoreApplication>
#include <QString>

#include "core/codec/channel_grid.h"

class QWidget;

// What a screen reader is told about the channel grid: the names of its rows, cells and the
// editor open over a cell, so that every move says column, channel and value in one phrase.
class CCellAccess {
    Q_DECLARE_TR_FUNCTIONS(CCellAccess)

  public:
    // The row label without its padding: "Pr", "1" .. "199".
    static QString RowLabel(int row);
    // "priority channel" for Pr, else "channel 12".
    static QString RowName(int row);
    // "Rx Tone, channel 3: 88.5"; an empty cell says "empty".
    static QString CellName(const radio::ChannelGrid& grid, int row, int col);
    // The description of a cell whose value differs from `before` ("changed from 88.5").
    static QString ChangedFrom(const QString& before);

    // One focus event for `widget`, as a reader needs when the same focused editor moves to
    // another cell (Qt sends none when the focus stays where it is).
    static void AnnounceFocus(QWidget* widget);
};
