#pragma once

#include <QComboBox>
#include <QString>

// The in-place drop-down list of a grid cell: unsorted, pick-only. It remembers whether the
// user chose an item since it was opened, so that merely passing through a cell stores nothing.
class CCellCombo : public QComboBox {
    Q_OBJECT

  public:
    explicit CCellCombo(QWidget* parent = nullptr);

    // Selects the first item whose text begins with the cell's text, ignoring case; the first
    // item when none does (an empty text matches the first item too).
    void Open(const QString& cellText);
    bool IsChanged() const { return m_bChanged; }

  private:
    bool m_bChanged = false;
};
