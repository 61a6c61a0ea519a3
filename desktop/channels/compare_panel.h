#pragma once

#include <QFrame>
#include <QString>
#include <vector>

#include "core/config/language.h"
#include "core/formats/image_diff.h"

class QLabel;
class QPushButton;
class QTreeWidget;

// The list beside the channel grid while the document is compared with another image: one line
// per difference (channel or option, field, this document's text, the other image's). Clicking
// a channel's line, or moving to it with the keys, selects its cell; activating it
// (double-click, Enter) asks for its cell's editor.
class CComparePanel : public QFrame {
    Q_OBJECT

  public:
    explicit CComparePanel(radio::Language lang, QWidget* parent = nullptr);

    // `otherName` names the image compared with ("backup 2026-05-01 14:03:22", a file name).
    void SetDifferences(const std::vector<radio::ImageDifference>& differences,
                        const QString& otherName);

    QTreeWidget* List() const { return m_list; }
    QLabel* Title() const { return m_title; }
    QPushButton* CloseButton() const { return m_btnClose; }

  signals:
    // The line of grid cell (row, col) was activated; col 0 for a channel's other bytes.
    void CellRequested(int row, int col);
    // The line of grid cell (row, col) was clicked or reached with the keys.
    void CellSelected(int row, int col);
    void CloseRequested();

  private:
    radio::Language m_lang;
    QLabel* m_title = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_btnClose = nullptr;
};
