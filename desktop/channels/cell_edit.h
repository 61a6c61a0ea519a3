#pragma once

#include <QLineEdit>
#include <QString>

// The in-place edit box of a grid cell. It has no border and does not scroll sideways: typing
// stops at the visible width, as in the classic edit control without automatic scrolling. It may
// upper-case what is typed and limit the typed length; a longer text put in by Open (a name
// decoded from the image) is shown whole and may be shortened, but not lengthened.
class CCellEdit : public QLineEdit {
    Q_OBJECT

  public:
    explicit CCellEdit(QWidget* parent = nullptr);

    void SetTypedLimit(int maxChars) { m_nTypedLimit = maxChars; }  // 0: no limit
    int TypedLimit() const { return m_nTypedLimit; }
    void SetUpperCase(bool upper) { m_bUpperCase = upper; }
    // Takes only characters a radio name can hold (0-9, A-Z, '-', '_' after upper-casing):
    // any other would be stored as filler and cut the name short without a word.
    void SetRadioNameChars(bool only) { m_bRadioNameChars = only; }

    // Shows the cell's text for editing; the edit counts as unchanged until the user types.
    void Open(const QString& text);
    bool IsChanged() const { return m_bChanged; }

    // The rule the validator applies to a user's change from `before` to `after`; may
    // upper-case `after`. False refuses the change.
    bool AcceptChange(const QString& before, QString& after) const;

  private:
    friend class CCellEditValidator;
    int m_nTypedLimit = 0;
    bool m_bUpperCase = false;
    bool m_bRadioNameChars = false;
    bool m_bOpening = false;  // text set by Open, not typed
    bool m_bChanged = false;  // typed into since Open (isModified() is lost when the
                              // validator rewrites the text, as upper-casing does)
    QString m_strLast;        // the text before the change being validated
};
