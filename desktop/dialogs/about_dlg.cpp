#include "desktop/dialogs/about_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "desktop/dialogs/x_hyper_link.h"
#include "desktop/services/app_context.h"
#include "desktop/services/app_pictures.h"
#include "desktop/services/command_ids.h"
#include "desktop/services/help.h"

CAboutDlg::CAboutDlg(AppContext& ctx, QWidget* parent) : QDialog(parent) {
    setWindowTitle(ctx.LanguageText("About Title"));

    m_pIcon = new QLabel(this);
    m_pIcon->setPixmap(TitleIcon(&m_bIconFromFile).pixmap(32, 32));
    m_pVersion = new QLabel(ctx.LanguageText("Version"), this);
    m_pCopyrights = new QLabel(ctx.LanguageText("Copyrights"), this);
    m_pLink = new CXHyperLink(ctx, this);
    const QString owner = ctx.LanguageText("Copyrights Owner");
    m_pLink->SetLink(owner, owner);
    SetControlId(m_pIcon, 1004);
    SetControlId(m_pVersion, 1001);
    SetControlId(m_pCopyrights, 1002);
    SetControlId(m_pLink, 1003);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(16);
    layout->addWidget(m_pIcon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(m_pVersion, 0, 1);
    layout->addWidget(m_pCopyrights, 1, 1);
    layout->addWidget(m_pLink, 2, 1);
    layout->addWidget(buttons, 0, 2, 3, 1, Qt::AlignTop);
    ctx.InstallDialogHelp(this, ID_APP_ABOUT);
}
