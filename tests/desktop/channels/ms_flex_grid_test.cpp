#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>

#include "desktop/channels/ms_flex_grid.h"

// Records the grid's events with the current cell as the handler would see it.
class EventLog {
  public:
    explicit EventLog(CMSFlexGrid& grid) : m_grid(grid) {
        QObject::connect(&grid, &CMSFlexGrid::LeaveCell, [this] { Add("L"); });
        QObject::connect(&grid, &CMSFlexGrid::EnterCell, [this] { Add("E"); });
        QObject::connect(&grid, &CMSFlexGrid::Scroll, [this] { m_events << "S"; });
        QObject::connect(&grid, &CMSFlexGrid::MouseDown,
                         [this](short, short, int, int) { Add("M"); });
    }
    QString Joined() const { return m_events.join(' '); }
    void Clear() { m_events.clear(); }

  private:
    void Add(const char* what) {
        m_events << QStringLiteral("%1%2,%3").arg(what).arg(m_grid.GetRow()).arg(m_grid.GetCol());
    }
    CMSFlexGrid& m_grid;
    QStringList m_events;
};

class MsFlexGridTest : public QObject {
    Q_OBJECT

  private:
    // The channel layout the view makes: 201 x 10.
    static void MakeChannelLayout(CMSFlexGrid& grid) {
        grid.SetRows(201);
        grid.SetCols(10);
        grid.SetHighLight(0);
        grid.resize(500, 300);
    }

    static QPoint CellCentre(CMSFlexGrid& grid, int row, int col) {
        return grid.visualRect(grid.model()->index(row - 1, col - 1)).center();
    }

  private slots:
    void puttingRowOrColRaisesLeaveThenEnter_data() {
        QTest::addColumn<QString>("property");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("events");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        // From cell (3, 4).
        QTest::newRow("row") << "Row" << 7 << "L3,4 E7,4" << 7 << 4;
        QTest::newRow("col") << "Col" << 9 << "L3,4 E3,9" << 3 << 9;
        QTest::newRow("last row") << "Row" << 200 << "L3,4 E200,4" << 200 << 4;
        QTest::newRow("same row: no move") << "Row" << 3 << "" << 3 << 4;
        QTest::newRow("fixed row 0 refused") << "Row" << 0 << "" << 3 << 4;
        QTest::newRow("past the last row") << "Row" << 201 << "" << 3 << 4;
        QTest::newRow("fixed col 0 refused") << "Col" << 0 << "" << 3 << 4;
        QTest::newRow("past the last col") << "Col" << 10 << "" << 3 << 4;
    }
    void puttingRowOrColRaisesLeaveThenEnter() {
        QFETCH(QString, property);
        QFETCH(int, value);
        QFETCH(QString, events);
        QFETCH(int, row);
        QFETCH(int, col);
        CMSFlexGrid grid;
        MakeChannelLayout(grid);
        grid.SetRow(3);
        grid.SetCol(4);
        EventLog log(grid);
        if (property == "Row")
            grid.SetRow(value);
        else
            grid.SetCol(value);
        // Scroll may come between (the cell is brought into view); it is checked elsewhere.
        QCOMPARE(log.Joined().remove(QStringLiteral(" S")), events);
        QCOMPARE(grid.GetRow(), row);
        QCOMPARE(grid.GetCol(), col);
        QCOMPARE(grid.Cells().Row(), row);
        QCOMPARE(grid.Cells().Col(), col);
    }

    void clicksMoveTheCurrentCellThenReportMouseDown() {
        CMSFlexGrid grid;
        MakeChannelLayout(grid);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        EventLog log(grid);

        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(grid, 4, 6));
        QCOMPARE(log.Joined(), QStringLiteral("L1,1 E4,6 M4,6"));

        // The current cell again: no move, but MouseDown so the view can reopen its editor.
        log.Clear();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(grid, 4, 6));
        QCOMPARE(log.Joined(), QStringLiteral("M4,6"));

        // Headings are not cells: the current cell stays.
        log.Clear();
        QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(grid.verticalHeader()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(log.Joined(), QString());
        QCOMPARE(grid.GetRow(), 4);
        QCOMPARE(grid.GetCol(), 6);
    }

    void arrowKeysMoveWithinTheChannelCells_data() {
        QTest::addColumn<int>("startRow");
        QTest::addColumn<int>("startCol");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::newRow("down") << 1 << 1 << int(Qt::Key_Down) << 2 << 1;
        QTest::newRow("right") << 5 << 3 << int(Qt::Key_Right) << 5 << 4;
        QTest::newRow("up stops at row 1") << 1 << 3 << int(Qt::Key_Up) << 1 << 3;
        QTest::newRow("left stops at col 1") << 7 << 1 << int(Qt::Key_Left) << 7 << 1;
        QTest::newRow("down stops at row 200") << 200 << 2 << int(Qt::Key_Down) << 200 << 2;
        QTest::newRow("right stops at col 9") << 9 << 9 << int(Qt::Key_Right) << 9 << 9;
    }
    void arrowKeysMoveWithinTheChannelCells() {
        QFETCH(int, startRow);
        QFETCH(int, startCol);
        QFETCH(int, key);
        QFETCH(int, row);
        QFETCH(int, col);
        CMSFlexGrid grid;
        MakeChannelLayout(grid);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.SetRow(startRow);
        grid.SetCol(startCol);
        EventLog log(grid);
        QTest::keyClick(&grid, Qt::Key(key));
        QCOMPARE(grid.GetRow(), row);
        QCOMPARE(grid.GetCol(), col);
        const bool moved = row != startRow || col != startCol;
        const QString expected =
            moved ? QStringLiteral("L%1,%2 E%3,%4").arg(startRow).arg(startCol).arg(row).arg(col)
                  : QString();
        QCOMPARE(log.Joined().remove(QStringLiteral(" S")), expected);
    }

    void scrollingRaisesScroll() {
        CMSFlexGrid grid;
        MakeChannelLayout(grid);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        EventLog log(grid);

        grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->value() + 3);
        QCOMPARE(log.Joined(), QStringLiteral("S"));

        // A move out of sight scrolls after LeaveCell (the edit is committed first) and
        // before EnterCell (the editor opens where the cell now is).
        log.Clear();
        grid.SetRow(200);
        QCOMPARE(log.Joined(), QStringLiteral("L1,1 S E200,1"));
        const QRect cell = grid.visualRect(grid.model()->index(199, 0));
        QVERIFY(grid.viewport()->rect().contains(cell));
    }

    void cellRectangleMatchesTheDrawnCell_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<double>("factor");
        // The factors of the channel layout.
        const double factors[] = {1.1, 1.1, 1.0, 1.0, 0.9, 0.9, 0.9, 0.9, 1.1};
        for (int col = 1; col <= 9; ++col) {
            QTest::newRow(qPrintable(QStringLiteral("col %1").arg(col))) << col << factors[col - 1];
        }
    }
    void cellRectangleMatchesTheDrawnCell() {
        QFETCH(int, col);
        QFETCH(double, factor);
        CMSFlexGrid grid;
        MakeChannelLayout(grid);
        grid.resize(2000, 400);  // every column in view, no horizontal scrolling
        const int unit = grid.GetColWidth(0);
        QCOMPARE(unit, CMSFlexGrid::kInitialColWidthTwips);
        const double factors[] = {0.43, 1.1, 1.1, 1.0, 1.0, 0.9, 0.9, 0.9, 0.9, 1.1};
        for (int c = 0; c <= 9; ++c) grid.SetColWidth(c, int(unit * factors[c]));
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        grid.SetRow(3);
        grid.SetCol(col);
        QCOMPARE(grid.GetColWidth(col), int(unit * factor));

        // Pixels as the view computes them for its editor must give the drawn cell.
        // visualRect leaves out the grid line on the right and at the bottom.
        const QRect drawn = grid.visualRect(grid.currentIndex()).adjusted(0, 0, 1, 1);
        const QRect placed(
            grid.TwipsToPixelsX(grid.GetCellLeft()), grid.TwipsToPixelsY(grid.GetCellTop()),
            grid.TwipsToPixelsX(grid.GetCellWidth()), grid.TwipsToPixelsY(grid.GetCellHeight()));
        QCOMPARE(placed, drawn);
        QCOMPARE(placed.width(), grid.TwipsToPixelsX(grid.GetColWidth(col)));

        // Cells sit side by side: this cell starts where the previous one ended.
        if (col > 1) {
            const int left = grid.GetCellLeft();
            grid.SetCol(col - 1);
            QCOMPARE(grid.TwipsToPixelsX(left), grid.TwipsToPixelsX(grid.GetCellLeft()) +
                                                    grid.TwipsToPixelsX(grid.GetCellWidth()));
        }
        // Column 0 is the label column in front of the viewport.
        QCOMPARE(grid.verticalHeader()->width(), grid.TwipsToPixelsX(grid.GetColWidth(0)));
    }

    void cellTextsAreTheChannelGridTexts() {
        CMSFlexGrid grid(radio::Language::Chinese);
        MakeChannelLayout(grid);
        grid.SetRow(12);
        grid.SetCol(9);
        grid.SetText(QStringLiteral("CALL2M"));
        QCOMPARE(grid.Cells().Text(12, 9), std::string("CALL2M"));
        QCOMPARE(grid.GetTextMatrix(12, 9), QStringLiteral("CALL2M"));
        QCOMPARE(grid.model()->index(11, 8).data().toString(), QStringLiteral("CALL2M"));

        // UTF-8 both ways, headings included.
        grid.SetTextMatrix(0, 5, QStringLiteral("功率"));
        QCOMPARE(grid.Cells().Text(0, 5), std::string("功率"));
        QCOMPARE(grid.model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("功率"));

        // Texts changed behind the widget's back show after Refresh.
        QSignalSpy changed(grid.model(), &QAbstractItemModel::dataChanged);
        grid.Cells().SetText(200, 1, "146.52000");
        grid.Refresh();
        QVERIFY(changed.count() > 0);
        QCOMPARE(grid.model()->index(199, 0).data().toString(), QStringLiteral("146.52000"));
        QCOMPARE(grid.model()->headerData(199, Qt::Vertical).toString(), QStringLiteral("199"));
    }

    void fixedCellsFollowColourAndAlignment() {
        CMSFlexGrid grid;
        MakeChannelLayout(grid);
        const QColor blue(0, 50, 240);
        grid.SetForeColorFixed(blue);
        for (int col = 0; col <= 9; ++col) grid.SetColAlignment(col, 4);
        QCOMPARE(grid.GetForeColorFixed(), blue);
        const auto* model = grid.model();
        QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::ForegroundRole).value<QBrush>().color(),
                 blue);
        QCOMPARE(model->headerData(0, Qt::Vertical, Qt::ForegroundRole).value<QBrush>().color(),
                 blue);
        const int centred = int(Qt::AlignHCenter | Qt::AlignVCenter);
        QCOMPARE(model->headerData(9, Qt::Vertical, Qt::TextAlignmentRole).toInt(), centred);
        QCOMPARE(model->index(5, 8).data(Qt::TextAlignmentRole).toInt(), centred);
        // Cells stay plain: colour is for the fixed cells only.
        QVERIFY(!model->index(5, 8).data(Qt::ForegroundRole).isValid());
    }

    void fewerRowsKeepTheCurrentCellInside() {
        CMSFlexGrid grid;
        MakeChannelLayout(grid);
        grid.SetRow(150);
        grid.SetCol(9);
        EventLog log(grid);
        grid.SetRows(100);
        grid.SetCols(5);
        QCOMPARE(grid.GetRow(), 99);
        QCOMPARE(grid.GetCol(), 4);
        QCOMPARE(grid.currentIndex(), grid.model()->index(98, 3));
        QCOMPARE(grid.model()->rowCount(), 99);
        // A relayout is no user move: no LeaveCell / EnterCell.
        QCOMPARE(log.Joined().remove(QStringLiteral("S")).trimmed(), QString());
        QVERIFY(!grid.SetFixedRows(2));
        QCOMPARE(grid.GetFixedRows(), 1);
    }
};

QTEST_MAIN(MsFlexGridTest)
#include "ms_flex_grid_test.moc"
