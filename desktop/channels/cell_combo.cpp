#include "desktop/channels/cell_combo.h"

#include <QTimer>

CCellCombo::CCellCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setInsertPolicy(NoInsert);
    // activated is raised for the user's choices only (list, wheel, arrow keys), also when the
    // chosen item is the one already shown.
    connect(this, &QComboBox::activated, this, [this] {
        m_bChanged = true;
        if (!m_bPopupClosing) return;
        m_bPopupClosing = false;
        emit ChosenFromList();
    });
}

void CCellCombo::hidePopup() {
    // A click or Enter in the list closes it first and reports the item right after; Esc or a
    // click elsewhere reports nothing, and the mark is gone once the events of the moment are.
    m_bPopupClosing = true;
    QComboBox::hidePopup();
    QTimer::singleShot(0, this, [this] { m_bPopupClosing = false; });
}

void CCellCombo::Open(const QString& cellText) {
    int found = 0;
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).startsWith(cellText, Qt::CaseInsensitive)) {
            found = i;
            break;
        }
    }
    setCurrentIndex(count() > 0 ? found : -1);
    m_bChanged = false;
}
