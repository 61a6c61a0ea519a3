#include "desktop/channels/cell_edit.h"

#include <QFontMetrics>
#include <QValidator>

#include "core/image/radio_image.h"

// Sees every change of the text before it is shown; QLineEdit undoes a change judged Invalid.
class CCellEditValidator : public QValidator {
  public:
    explicit CCellEditValidator(CCellEdit* edit) : QValidator(edit), m_edit(edit) {}

    State validate(QString& input, int&) const override {
        if (m_edit->m_bOpening) return Acceptable;
        return m_edit->AcceptChange(m_edit->m_strLast, input) ? Acceptable : Invalid;
    }

  private:
    CCellEdit* m_edit;
};

CCellEdit::CCellEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setValidator(new CCellEditValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { m_strLast = text; });
    connect(this, &QLineEdit::textEdited, this, [this] { m_bChanged = true; });
}

void CCellEdit::Open(const QString& text) {
    m_bOpening = true;
    setText(text);
    m_bOpening = false;
    m_bChanged = false;
    m_strLast = text;
}

bool CCellEdit::AcceptChange(const QString& before, QString& after) const {
    if (m_bUpperCase) after = after.toUpper();
    // Shortening is always allowed, also below a too long text that was opened.
    if (after.size() < before.size()) return true;
    if (m_nTypedLimit > 0 && after.size() > m_nTypedLimit) return false;
    if (m_bRadioNameChars) {
        for (const QChar c : after) {
            if (c.unicode() > 0x7F || radio::NameCharToCode(c.toLatin1()) == radio::kNameFill)
                return false;
        }
    }
    // QLineEdit keeps 2 pixels of margin on either side of its text.
    const int room = contentsRect().width() - textMargins().left() - textMargins().right() - 4;
    return QFontMetrics(font()).horizontalAdvance(after) <= room;
}
