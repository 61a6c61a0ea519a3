#include "desktop/services/help.h"

#include <QString>
#include <QVariant>
#include <QWidget>

void SetControlId(QWidget* widget, int id) {
    widget->setProperty(kControlIdProperty, id);
    widget->setObjectName(QString::number(id));
}

int ControlIdOf(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        const QVariant id = widget->property(kControlIdProperty);
        if (id.isValid()) return id.toInt();
        if (widget->isWindow()) break;
    }
    return 0;
}
