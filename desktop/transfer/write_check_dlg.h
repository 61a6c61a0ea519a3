#pragma once

#include <QDialog>
#include <vector>

#include "core/formats/image_check.h"

class QLabel;
class QPushButton;
class QTreeWidget;

// "Check Before Writing": what the check found in the image about to be written, errors first,
// with Write anyway and Cancel. Cancel is the default button, so Enter never sends an image
// with problems to the radio by accident. Double-clicking a finding about a channel shows its
// cell in the grid; "Product Information..." opens the dialog the band findings point to,
// also where the navigation tree does not list it.
class CWriteCheckDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CWriteCheckDlg(QWidget* parent = nullptr);

    void SetFindings(const std::vector<radio::Finding>& findings);

    QTreeWidget* List() const { return m_list; }
    QLabel* Summary() const { return m_summary; }
    QPushButton* WriteAnywayButton() const { return m_btnWrite; }
    QPushButton* CancelButton() const { return m_btnCancel; }
    QPushButton* ProductInfoButton() const { return m_btnProductInfo; }

  signals:
    // A finding about grid cell (row, col) was double-clicked; col 0 means the whole row.
    void CellRequested(int row, int col);
    // "Product Information..." was pressed; the findings are set anew if the image changes.
    void ProductInfoRequested();

  private:
    QLabel* m_summary = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_btnWrite = nullptr;
    QPushButton* m_btnCancel = nullptr;
    QPushButton* m_btnProductInfo = nullptr;
};
