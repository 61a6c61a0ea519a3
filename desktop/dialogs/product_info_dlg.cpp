#include "desktop/dialogs/product_info_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/config/band_settings.h"
#include "desktop/services/app_context.h"
#include "desktop/services/help.h"
#include "qt/config_text.h"

namespace {

// Each entry keeps the configuration's own bytes (UTF-8 or GBK), which go into the title.
void AddEntry(QComboBox* combo, const std::string& bytes) {
    combo->addItem(radio::ConfigText(bytes), QByteArray::fromStdString(bytes));
}

std::string Bytes(const QComboBox* combo) {
    return combo->currentData().toByteArray().toStdString();
}

}  // namespace

CProductInfoDlg::CProductInfoDlg(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setWindowTitle(tr("Product Information"));
    m_pType = new QComboBox(this);
    m_pBand = new QComboBox(this);
    SetControlId(m_pType, 1013);
    SetControlId(m_pBand, 1014);
    m_pType->setMinimumContentsLength(16);
    m_pBand->setMinimumContentsLength(16);

    auto* group = new QGroupBox(tr("Setting"), this);
    auto* form = new QFormLayout(group);
    form->addRow(tr("Type"), m_pType);
    form->addRow(tr("Frequency"), m_pBand);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CProductInfoDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CProductInfoDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);

    connect(m_pType, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) FillBands(index);
    });
    m_ctx.InstallDialogHelp(this);
}

int CProductInfoDlg::DoModal(radio::RadioImage& image) {
    Attach(&image);
    OnInitDialog();
    const int result = exec();
    m_pImage = nullptr;
    return result;
}

void CProductInfoDlg::FillBands(int typeIndex) {
    m_pBand->clear();
    for (const std::string& band : radio::SplitBands(radio::BandList(m_ctx.Config(), typeIndex)))
        AddEntry(m_pBand, band);
    m_pBand->setCurrentIndex(0);
}

void CProductInfoDlg::OnInitDialog() {
    m_strTitle.clear();
    const QSignalBlocker block(m_pType);  // the band list is refilled here explicitly
    m_pType->clear();
    for (const std::string& type : radio::RadioTypes(m_ctx.Config())) AddEntry(m_pType, type);

    // First the image's type with its bands, then the stored type and band, which win.
    if (m_pImage) {
        const int imageType = (*m_pImage)[radio::offset::kRadioType];
        m_pType->setCurrentIndex(imageType < m_pType->count() ? imageType : -1);
        FillBands(imageType);
    }
    const auto storedType = static_cast<int>(m_ctx.Settings().GetInt("Type").value_or(0));
    const auto storedBand = static_cast<int>(m_ctx.Settings().GetInt("Field").value_or(0));
    m_pType->setCurrentIndex(storedType < m_pType->count() ? storedType : -1);
    FillBands(storedType);
    m_pBand->setCurrentIndex(storedBand < m_pBand->count() ? storedBand : -1);
    m_pType->setFocus();
}

void CProductInfoDlg::accept() {
    if (m_pImage) {
        const int type = m_pType->currentIndex();
        const int band = m_pBand->currentIndex();
        m_strTitle = radio::ConfigText(radio::ApplyProductInfo(
            *m_pImage, type < 0 ? 0 : type, band < 0 ? 0 : band, Bytes(m_pType), Bytes(m_pBand),
            m_ctx.Config(), m_ctx.AppConfig(), m_ctx.Settings()));
    }
    QDialog::accept();
}
