#include "view/program_view.h"

#include <QFontMetrics>

#include "model/program_doc.h"
#include "shell/language_dlg.h"
#include "shell/program_app.h"

CProgramView::CProgramView(CProgramDoc* doc, QWidget* parent) : QWidget(parent), m_pDocument(doc) {
    QFont form(QStringLiteral("Times New Roman"));
    form.setPointSize(9);
    setFont(form);
    setAutoFillBackground(true);
}

CProgramView::~CProgramView() = default;

QString CProgramView::OnInitialUpdate() {
    return m_pDocument ? m_pDocument->DecodeIntoGrid() : QString();
}

QSize CProgramView::FormSize() const {
    // Dialog units as Windows measures them: a quarter of the average width of the
    // alphabet's letters across, an eighth of the line height down.
    const QFontMetrics fm(font());
    const int alphabet = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int baseX = (alphabet / 26 + 1) / 2;
    const int baseY = fm.height();
    return {431 * baseX / 4, 231 * baseY / 8};
}

void CProgramView::OnRead() {}
void CProgramView::OnWrite() {}
void CProgramView::OnComSetup() {}
void CProgramView::OnFilePrint() {}
void CProgramView::OnFilePrintPreview() {}

CLanguageDlg& CProgramView::LanguageDialog() {
    if (!m_pDlgLanguage) m_pDlgLanguage = new CLanguageDlg(this);
    return *m_pDlgLanguage;
}

void CProgramView::OnLanguage() {
    CLanguageDlg& dlg = LanguageDialog();
    if (dlg.exec() == QDialog::Accepted && dlg.IsChanged()) {
        if (CProgramApp* app = CProgramApp::instance()) app->RestartForLanguageChange();
    }
}
