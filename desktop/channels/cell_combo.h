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

    void hidePopup() override;

  signals:
    // The user chose an item in the dropped-down list (not by a letter or the wheel).
    void ChosenFromList();

  private:
    bool m_bChanged = false;
    bool m_bPopupClosing = false;  // the list is closing; a choice made in it follows at once
};
