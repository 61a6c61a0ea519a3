#pragma once

// A channel view over a new document, shown offscreen, with the shell's services faked.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "desktop/channels/ms_flex_grid.h"
#include "desktop/channels/program_view.h"
#include "desktop/document/program_doc.h"
#include "tests/support/fake_services.h"

struct ViewRig {
    ShellFixture fx;
    CProgramDoc doc;  // after the fixture: its grid takes the display language
    std::unique_ptr<CProgramView> view;
    bool ready = false;  // shown and active

    explicit ViewRig(const char* language = "English") : fx(SampleIni(language)), doc(fx.ctx) {
        doc.OnNewDocument();
        view = std::make_unique<CProgramView>(fx.ctx, &doc);
        view->resize(view->FormSize());
        view->show();
        QApplication::setActiveWindow(view.get());
        ready = QTest::qWaitForWindowExposed(view.get()) && QTest::qWaitForWindowActive(view.get());
        view->OnInitialUpdate();
    }
    ~ViewRig() { view.reset(); }

    CMSFlexGrid& Grid() const { return *view->Grid(); }

    // Puts texts into a row as decoding would.
    void SetRow(int row, const QStringList& texts) {
        for (int col = 1; col <= 9; ++col)
            Grid().SetTextMatrix(row, col, col <= texts.size() ? texts.at(col - 1) : QString());
    }
    QStringList Row(int row) const {
        QStringList texts;
        for (int col = 1; col <= 9; ++col) texts << Grid().GetTextMatrix(row, col);
        return texts;
    }

    // Makes (row, col) current with its editor open, as a click on it does.
    QWidget* Enter(int row, int col) {
        if (Grid().GetRow() == row && Grid().GetCol() == col) {
            emit Grid().MouseDown(1, 0, 0, 0);
        } else {
            Grid().SetRow(row);
            Grid().SetCol(col);
        }
        return view->GetCellEditor();
    }

    // Replaces the text of the open edit box as the user types it; empty deletes it all.
    void Type(const QString& text) {
        auto* edit = qobject_cast<QLineEdit*>(view->GetCellEditor());
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, text);
    }

    // The user picks `item` in the open drop-down list.
    void Pick(const QString& item) {
        auto* combo = qobject_cast<QComboBox*>(view->GetCellEditor());
        const int index = combo->findText(item);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    // Enter goes to the open editor, else to the grid.
    void PressEnter() {
        QWidget* editor = view->GetCellEditor();
        QTest::keyClick(editor->isVisible() ? editor : static_cast<QWidget*>(&Grid()),
                        Qt::Key_Return);
    }
};

inline QStringList NewChannel(const QString& freq, bool chinese = false) {
    if (chinese) return {freq, freq, "无", "无", "高", "锁定", "有", "宽", ""};
    return {freq, freq, "None", "None", "High", "Lock", "Yes", "Wide", ""};
}
