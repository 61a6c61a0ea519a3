#include "desktop/services/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

// The line is an alert to a reader, named by the text it shows.
class AnnouncerAccessible : public QAccessibleWidget {
  public:
    explicit AnnouncerAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::AlertMessage) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* AnnouncerFactory(const QString&, QObject* object) {
    if (auto* announcer = qobject_cast<CAnnouncer*>(object))
        return new AnnouncerAccessible(announcer);
    return nullptr;
}

}  // namespace

CAnnouncer::CAnnouncer(QWidget* parent) : QLabel(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(AnnouncerFactory);
        return true;
    }();
    (void)installed;
    setTextFormat(Qt::PlainText);
}

void CAnnouncer::Announce(const QString& text) {
    setText(text);
    if (text.isEmpty()) return;
    // Shown anew, as an alert window would be, and the alert itself: bridges differ in which
    // of the two they pass on.
    hide();
    show();
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}
