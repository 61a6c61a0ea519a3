#include "desktop/channels/cell_edit.h"

#include <QFontMetrics>
#include <QValidator>

#include "core/codec/edit_rules.h"

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
    selectAll();
    m_bChanged = false;
    m_strLast = text;
}

void CCellEdit::Reopen(const QString& refused) {
    Open(refused);
    m_bChanged = true;
}

bool CCellEdit::AcceptChange(const QString& before, QString& after) const {
    if (m_bRadioName) {
        std::string name = after.toUtf8().toStdString();
        const bool fits = !radio::CheckRadioName(name, std::string::npos);  // upper-cases too
        after = QString::fromStdString(name);
        // Shortening is always allowed, whatever an opened text holds.
        if (!fits && after.size() >= before.size()) return false;
    }
    // Shortening is always allowed, also below a too long text that was opened.
    if (after.size() < before.size()) return true;
    if (m_nTypedLimit > 0 && after.size() > m_nTypedLimit) return false;
    // QLineEdit keeps 2 pixels of margin on either side of its text.
    const int room = contentsRect().width() - textMargins().left() - textMargins().right() - 4;
    return QFontMetrics(font()).horizontalAdvance(after) <= room;
}
