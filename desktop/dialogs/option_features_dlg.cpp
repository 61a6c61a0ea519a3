#include "desktop/dialogs/option_features_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <algorithm>

#include "core/codec/edit_rules.h"
#include "core/options/option_names.h"
#include "desktop/services/app_context.h"
#include "desktop/services/help.h"
#include "qt/phrase_text.h"

namespace {

// The name code knows only ASCII: every other character becomes one fill byte, as a
// character outside the code does.
std::string NameBytes(const QString& text) {
    std::string out;
    for (QChar c : text) out += c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '\x7F';
    return out;
}

// Takes what the radio can show, upper-casing letters as they are typed: a lower-case letter
// is outside the radio's character code, and the first one would end the stored name.
class PowerOnNameValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        std::string name = input.toUtf8().toStdString();
        if (radio::CheckRadioName(name, radio::offset::kPowerOnNameSize)) return Invalid;
        input = QString::fromStdString(name);
        return Acceptable;
    }
};

}  // namespace

COptionFeaturesDlg::COptionFeaturesDlg(AppContext& ctx, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Option Features"));
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    grid->setColumnMinimumWidth(2, 24);

    // The first eight lists form the left column, the other seven the right one. Labels and
    // entries in the display language, with the printed option sheet's words.
    const radio::Language lang = ctx.UiLanguage();
    const auto text = [](std::string_view t) {
        return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
    };
    const auto& lists = radio::OptionLists();
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const radio::OptionList& list = lists[i];
        auto* combo = new QComboBox(this);
        SetControlId(combo, list.id);
        for (const std::string& entry : list.entries)
            combo->addItem(text(radio::EntryText(entry, lang)));
        // Choosing an entry is a change even when it was shown already: the stored value may
        // only read as that entry (Pri-Scanning Time 0xFF shows "3s").
        const int entries = static_cast<int>(list.entries.size());
        connect(combo, &QComboBox::activated, this, [this, id = list.id, entries](int index) {
            if (index < entries) m_picked.insert(id);
        });
        auto* label = new QLabel(text(radio::OptionLabel(list.id, lang)), this);
        label->setBuddy(combo);
        const bool left = i < 8;
        const int row = left ? static_cast<int>(i) : static_cast<int>(i - 8);
        grid->addWidget(label, row, left ? 0 : 3);
        grid->addWidget(combo, row, left ? 1 : 4);
        m_lists.insert(list.id, combo);
    }

    m_pName = new QLineEdit(this);
    SetControlId(m_pName, radio::kIdPowerOnName);
    m_pName->setMaxLength(static_cast<int>(radio::offset::kPowerOnNameSize));
    m_pName->setValidator(new PowerOnNameValidator(m_pName));
    auto* nameLabel = new QLabel(tr("Power-on Name"), this);
    nameLabel->setBuddy(m_pName);
    grid->addWidget(nameLabel, 8, 0);
    grid->addWidget(m_pName, 8, 1);

    m_pBeep = new QCheckBox(tr("Beep"), this);
    SetControlId(m_pBeep, radio::kIdBeep);
    grid->addWidget(m_pBeep, 7, 4);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionFeaturesDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COptionFeaturesDlg::reject);
    grid->addWidget(buttons, 9, 0, 1, 5);
    ctx.InstallDialogHelp(this);
}

int COptionFeaturesDlg::DoModal(radio::RadioImage& image) {
    Attach(&image);
    OnInitDialog();
    const int result = exec();
    m_pImage = nullptr;
    return result;
}

void COptionFeaturesDlg::OnInitDialog() {
    if (!m_pImage) return;
    m_shown = radio::ReadOptions(*m_pImage);
    m_picked.clear();
    for (const radio::OptionList& list : radio::OptionLists()) {
        QComboBox* combo = m_lists.value(list.id);
        const int entries = static_cast<int>(list.entries.size());
        while (combo->count() > entries) combo->removeItem(entries);  // a former run's extra one
        if (const std::optional<int> unlisted = radio::UnlistedValue(*m_pImage, list)) {
            combo->addItem(radio::TranslatedPhrase(radio::UnlistedPhrase(*unlisted)));
            combo->setCurrentIndex(entries);
            // Wide enough for the whole "12 (not in the list)", with room to spare: Chinese
            // glyphs of a fallback font can draw wider than the main font measures them.
            combo->setMinimumWidth(combo->sizeHint().width() + combo->fontMetrics().height());
        } else {
            combo->setCurrentIndex(m_shown.*list.field);
        }
    }
    m_pName->setText(QString::fromStdString(m_shown.powerOnName));
    m_pBeep->setChecked(m_shown.beep);
    m_lists.value(radio::OptionLists().front().id)->setFocus();
}

radio::OptionValues COptionFeaturesDlg::Values() const {
    radio::OptionValues values;
    for (const radio::OptionList& list : radio::OptionLists()) {
        const int index = m_lists.value(list.id)->currentIndex();
        values.*list.field =
            index < static_cast<int>(list.entries.size()) ? index : radio::kNoSelection;
    }
    values.powerOnName = NameBytes(m_pName->text());
    values.beep = m_pBeep->isChecked();
    return values;
}

std::vector<int> COptionFeaturesDlg::ChangedControls() const {
    std::vector<int> controls = radio::ChangedControls(m_shown, Values());
    for (int id : m_picked) {
        if (std::find(controls.begin(), controls.end(), id) == controls.end())
            controls.push_back(id);
    }
    return controls;
}

void COptionFeaturesDlg::accept() {
    if (m_pImage) radio::WriteOptionControls(*m_pImage, Values(), ChangedControls());
    QDialog::accept();
}
