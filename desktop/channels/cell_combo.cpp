#include "desktop/channels/cell_combo.h"

CCellCombo::CCellCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setInsertPolicy(NoInsert);
    // activated is raised for the user's choices only (list, wheel, arrow keys), also when the
    // chosen item is the one already shown.
    connect(this, &QComboBox::activated, this, [this] { m_bChanged = true; });
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
