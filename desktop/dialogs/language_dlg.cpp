#include "desktop/dialogs/language_dlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QRadioButton>
#include <QVBoxLayout>

#include "desktop/services/app_context.h"
#include "desktop/services/command_ids.h"
#include "desktop/services/help.h"

CLanguageDlg::CLanguageDlg(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setWindowTitle(tr("Language"));
    m_pEnglish = new QRadioButton(tr("English"), this);
    m_pChinese = new QRadioButton(tr("Chinese"), this);
    SetControlId(m_pEnglish, 1006);
    SetControlId(m_pChinese, 1007);
    auto* group = new QButtonGroup(this);
    group->addButton(m_pEnglish, 0);
    group->addButton(m_pChinese, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLanguageDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLanguageDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pEnglish);
    layout->addWidget(m_pChinese);
    layout->addWidget(buttons);
    m_ctx.InstallDialogHelp(this, ID_SETUP_LANGUAGE);
    m_pEnglish->installEventFilter(this);
    m_pChinese->installEventFilter(this);
}

void CLanguageDlg::OnInitDialog() {
    SetSelection(m_ctx.IsChinese() ? 1 : 0);
    // The keys choose at once: the arrows move between the languages, Enter confirms.
    (m_nSelected == 1 ? m_pChinese : m_pEnglish)->setFocus(Qt::OtherFocusReason);
}

void CLanguageDlg::SetSelection(int index) {
    m_nSelected = index;
    m_pEnglish->setChecked(index == 0);
    m_pChinese->setChecked(index == 1);
}

bool CLanguageDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left ||
            key == Qt::Key_Right) {
            // Two choices: any arrow goes to the other one.
            QRadioButton* other = watched == m_pEnglish ? m_pChinese : m_pEnglish;
            other->setChecked(true);
            other->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int CLanguageDlg::exec() {
    OnInitDialog();
    return QDialog::exec();
}

void CLanguageDlg::accept() {
    m_nSelected = m_pChinese->isChecked() ? 1 : 0;
    const int running = m_ctx.IsChinese() ? 1 : 0;
    if (m_nSelected != running) {
        m_bChanged = true;
        m_ctx.Config().SetValue("Setup", "Language", running == 1 ? "English" : "Chinese");
        // "chinese" equals "Chinese" for the lookup but not for start-up's exact comparison.
        m_ctx.Config().MarkDirty();
    } else if (m_bChanged) {
        // An earlier change was stored but its restart was cancelled; choosing the running
        // language again must not leave the other one waiting for the next start.
        m_bChanged = false;
        m_ctx.Config().SetValue("Setup", "Language", running == 1 ? "Chinese" : "English");
        m_ctx.Config().MarkDirty();
    }
    QDialog::accept();
}
