#pragma once

#include <QLineEdit>
#include <QString>

// The in-place edit box of a grid cell. It has no border and does not scroll sideways: typing
// stops at the visible width, as in the classic edit control without automatic scrolling. It may
// take radio names only and limit the typed length; a longer text put in by Open (a name
// decoded from the image) is shown whole and may be shortened, but not lengthened.
class CCellEdit : public QLineEdit {
    Q_OBJECT

  public:
    explicit CCellEdit(QWidget* parent = nullptr);

    void SetTypedLimit(int maxChars) { m_nTypedLimit = maxChars; }  // 0: no limit
    int TypedLimit() const { return m_nTypedLimit; }
    // Letters are upper-cased as they are typed, and only the characters a radio name can hold
    // (0-9, A-Z, '-', '_') are taken: any other would be stored as filler and end the name.
    void SetRadioName(bool radioName) { m_bRadioName = radioName; }

    // Shows the cell's text for editing, whole text selected so that typing replaces it; the
    // edit counts as unchanged until the user types.
    void Open(const QString& text);
    // Shows an entry the rules refused, whole text selected, still counting as typed: Enter
    // tries it again, Esc drops it and the cell keeps its text.
    void Reopen(const QString& refused);
    bool IsChanged() const { return m_bChanged; }

    // The rule the validator applies to a user's change from `before` to `after`; may
    // upper-case `after`. False refuses the change.
    bool AcceptChange(const QString& before, QString& after) const;

  private:
    friend class CCellEditValidator;
    int m_nTypedLimit = 0;
    bool m_bRadioName = false;
    bool m_bOpening = false;  // text set by Open, not typed
    bool m_bChanged = false;  // typed into since Open (isModified() is lost when the
                              // validator rewrites the text, as upper-casing does)
    QString m_strLast;        // the text before the change being validated
};
