#pragma once

#include <QLabel>
#include <QString>

// A status-bar line that a screen reader presents as an alert each time it is given a text:
// the end of a transfer is heard once, without a message box in a sighted user's way.
class CAnnouncer : public QLabel {
    Q_OBJECT

  public:
    explicit CAnnouncer(QWidget* parent = nullptr);

    // Shows `text` and tells assistive technology about it once.
    void Announce(const QString& text);
};
