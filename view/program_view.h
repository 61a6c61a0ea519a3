#pragma once

#include <QPointer>
#include <QSize>
#include <QWidget>

class CLanguageDlg;
class CProgramDoc;

// The view of one channel document inside its child frame. The main frame routes the
// document commands here: Read, Write, Com Setup, Language, Print and Print Preview.
//
// For now this is a minimal form: it decodes the document's image into the document's grid
// and handles Language. The channel grid with its editors, the radio transfers and printing
// override the virtual handlers below; until then those handlers do nothing.
class CProgramView : public QWidget {
    Q_OBJECT
public:
    explicit CProgramView(CProgramDoc* doc, QWidget* parent = nullptr);
    ~CProgramView() override;

    CProgramDoc* GetDocument() const { return m_pDocument; }

    // First showing of the document: decodes its image into the grid and runs the band
    // settings step. Returns the main window title that step gives.
    virtual QString OnInitialUpdate();

    // Asked before a command hides or destroys this view or ends the program (File > New,
    // Open, Close, the close box, Exit). False refuses the command; a view with a radio
    // transfer running refuses or cancels the transfer first. This minimal view never refuses.
    virtual bool QueryInterrupt() { return true; }

    // The form's size: 431 x 231 dialog units of its font (Times New Roman, 9 points).
    QSize FormSize() const;
    QSize sizeHint() const override { return FormSize(); }

public slots:
    virtual void OnRead();              // Program > Read
    virtual void OnWrite();             // Program > Write
    virtual void OnComSetup();          // Setup > Com Setup
    virtual void OnLanguage();          // Setup > Language: change and restart
    virtual void OnFilePrint();         // File > Print
    virtual void OnFilePrintPreview();  // File > Print Preview

protected:
    CLanguageDlg& LanguageDialog();

private:
    QPointer<CProgramDoc> m_pDocument;
    CLanguageDlg* m_pDlgLanguage = nullptr;  // created on first use, lives with the view
};
