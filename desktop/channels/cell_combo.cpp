#include "desktop/channels/cell_combo.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>

namespace {

// Qt names a list by its current value on Linux, so two lists in a row both sound like "None";
// a cell's list is named after its cell (column, channel, value) and keeps its value apart.
class CellComboAccessible : public QAccessibleWidget {
  public:
    explicit CellComboAccessible(CCellCombo* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return combo()->currentText();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& name) override {
        if (name == showMenuAction() || name == pressAction()) combo()->showPopup();
    }

  private:
    CCellCombo* combo() const { return static_cast<CCellCombo*>(widget()); }
};

QAccessibleInterface* CellComboFactory(const QString&, QObject* object) {
    if (auto* combo = qobject_cast<CCellCombo*>(object)) return new CellComboAccessible(combo);
    return nullptr;
}

}  // namespace

CCellCombo::CCellCombo(QWidget* parent) : QComboBox(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(CellComboFactory);
        return true;
    }();
    (void)factoryInstalled;
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
