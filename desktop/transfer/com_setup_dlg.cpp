#include "desktop/transfer/com_setup_dlg.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/config/settings_store.h"
#include "core/link/port_names.h"
#include "desktop/transfer/transfer_worker.h"
#include "qt/port_system.h"
#include "qt/qt_serial_port.h"

namespace {

constexpr std::string_view kComValue = "com";    // 1..4, the classic ports
constexpr std::string_view kPortValue = "port";  // any other port, as text; empty: use "com"
constexpr int kFirstOtherId = 100;

QString ClassicName(int index) { return QStringLiteral("com%1").arg(index + 1); }

std::string ToStd(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace

CComSetupDlg::CComSetupDlg(radio::SettingsStore* store, QWidget* parent)
    : QDialog(parent),
      m_store(store),
      m_probe(&CComSetupDlg::ProbeSerialPort),
      m_lister(&CComSetupDlg::OtherSerialPorts),
      m_tester(&CComSetupDlg::TestSerialPort) {
    setWindowTitle(tr("COM Setup"));

    m_group = new QGroupBox(QStringLiteral("COM"), this);
    m_groupLayout = new QVBoxLayout(m_group);
    m_buttons = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        m_classic[i] = new QRadioButton(QStringLiteral("COM%1").arg(i + 1), m_group);
        m_classic[i]->setProperty("controlId", kIdCom1 + i);
        m_buttons->addButton(m_classic[i], i);
        m_groupLayout->addWidget(m_classic[i]);
    }

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Ok)->setProperty("controlId", 1);
    box->button(QDialogButtonBox::Cancel)->setProperty("controlId", 2);
    m_pTest = box->addButton(tr("&Test"), QDialogButtonBox::ActionRole);
    m_pTest->setAutoDefault(false);
    m_pTest->setToolTip(tr("Check the chosen port and whether a radio answers"));
    connect(box, &QDialogButtonBox::accepted, this, &CComSetupDlg::OnOK);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pTest, &QPushButton::clicked, this, &CComSetupDlg::OnTest);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_group);
    layout->addWidget(box);
}

bool CComSetupDlg::ProbeSerialPort(const std::string& portName) {
    radio::QtSerialPort port;  // opened exactly as a connection opens it
    const bool ok = port.Open(portName).ok;
    port.Close();
    return ok;
}

std::vector<radio::PortListing> CComSetupDlg::OtherSerialPorts() {
    std::vector<radio::PortListing> others;
    for (radio::PortListing& port : radio::ListSerialPorts()) {
        bool classic = false;
        for (int i = 0; i < 4; ++i) {
            const std::string name = ToStd(ClassicName(i));
            classic = classic ||
                      QString::fromStdString(port.name).compare(ClassicName(i),
                                                                Qt::CaseInsensitive) == 0 ||
                      port.name == radio::DevicePathForPort(name);
        }
        if (!classic) others.push_back(std::move(port));
    }
    return others;
}

radio::DoctorReport CComSetupDlg::TestSerialPort(const std::string& portName) {
    radio::QtPortSystem system;
    return radio::RunPortDoctor(portName, system);
}

void CComSetupDlg::showEvent(QShowEvent* event) {
    OnInitDialog();
    QDialog::showEvent(event);
}

void CComSetupDlg::OnInitDialog() {
    for (int i = 0; i < 4; ++i) {
        m_classic[i]->setEnabled(!m_probe || m_probe(ToStd(ClassicName(i))));
    }

    // The other ports are looked for again at every showing: cables come and go.
    for (QRadioButton* button : m_others) {
        m_buttons->removeButton(button);
        delete button;
    }
    m_others.clear();
    const std::vector<radio::PortListing> found =
        m_lister ? m_lister() : std::vector<radio::PortListing>{};
    m_otherNames = NamesWithVirtual(found);
    for (const radio::PortListing& port : found) {
        // The name is what OK stores; the description tells the cables apart.
        m_others.push_back(new QRadioButton(QString::fromStdString(port.name) +
                                                QStringLiteral("  \u2014  ") +
                                                QString::fromStdString(radio::DescribePort(port)),
                                            m_group));
    }
    m_others.push_back(new QRadioButton(tr("Virtual radio (built-in)"), m_group));
    for (std::size_t k = 0; k < m_others.size(); ++k) {
        m_buttons->addButton(m_others[k], kFirstOtherId + int(k));
        m_groupLayout->addWidget(m_others[k]);
    }

    CheckNone();
    const StoredChoice choice = ReadStoredChoice(m_otherNames);
    m_nPort = choice.classic;
    if (choice.other >= 0) {
        m_others[std::size_t(choice.other)]->setChecked(true);
    } else if (choice.classic >= 0) {
        // Checked even when the probe disabled it: the choice stays the user's.
        m_classic[choice.classic]->setChecked(true);
    }
}

std::vector<QString> CComSetupDlg::NamesWithVirtual(const std::vector<radio::PortListing>& ports) {
    std::vector<QString> names;
    for (const radio::PortListing& port : ports) names.push_back(QString::fromStdString(port.name));
    names.push_back(QString::fromUtf8(kVirtualPortName.data(), qsizetype(kVirtualPortName.size())));
    return names;
}

std::vector<QString> CComSetupDlg::OtherNamesNow() const {
    return NamesWithVirtual(m_lister ? m_lister() : std::vector<radio::PortListing>{});
}

CComSetupDlg::StoredChoice CComSetupDlg::ReadStoredChoice(
    const std::vector<QString>& otherNames) const {
    StoredChoice choice;
    const std::optional<std::string> other = m_store ? m_store->GetText(kPortValue) : std::nullopt;
    if (other && !other->empty()) {
        const auto match =
            std::find(otherNames.begin(), otherNames.end(), QString::fromStdString(*other));
        if (match != otherNames.end()) {
            choice.other = int(match - otherNames.begin());
            return choice;
        }
    }
    // Missing value: COM1. A value outside 1..4 names none of the four.
    std::uint32_t com = 1;
    if (m_store) com = m_store->GetInt(kComValue).value_or(1);
    if (com >= 1 && com <= 4) choice.classic = int(com) - 1;
    return choice;
}

QString CComSetupDlg::StoredPort() const {
    const std::vector<QString> names = OtherNamesNow();
    const StoredChoice choice = ReadStoredChoice(names);
    if (choice.other >= 0) return names[std::size_t(choice.other)];
    return ClassicName(choice.classic >= 0 ? choice.classic : 0);
}

void CComSetupDlg::CheckNone() {
    m_buttons->setExclusive(false);
    for (QAbstractButton* button : m_buttons->buttons()) button->setChecked(false);
    m_buttons->setExclusive(true);
}

void CComSetupDlg::OnOK() {
    const int id = m_buttons->checkedId();
    if (id >= 0 && id < 4) {
        m_nPort = id;
        m_strPortName = ClassicName(id);
        if (m_store) {
            m_store->SetInt(kComValue, static_cast<std::uint32_t>(id + 1));
            m_store->SetText(kPortValue, "");
        }
    } else if (id >= kFirstOtherId && std::size_t(id - kFirstOtherId) < m_otherNames.size()) {
        m_nPort = -1;
        m_strPortName = m_otherNames[std::size_t(id - kFirstOtherId)];
        if (m_store) m_store->SetText(kPortValue, ToStd(m_strPortName));
    } else {
        // Nothing chosen: keep the port in use rather than naming one that cannot exist.
        QDialog::accept();
        return;
    }
    emit PortChosen(m_strPortName);
    QDialog::accept();
}

void CComSetupDlg::OnTest() {
    const int id = m_buttons->checkedId();
    QString port;
    if (id >= 0 && id < 4) {
        port = ClassicName(id);
    } else if (id >= kFirstOtherId && std::size_t(id - kFirstOtherId) < m_otherNames.size()) {
        port = m_otherNames[std::size_t(id - kFirstOtherId)];
    }
    const auto show = [this](const QString& title, const QString& text, bool ok) {
        if (m_viewer) return m_viewer(title, text, ok);
        QMessageBox box(ok ? QMessageBox::Information : QMessageBox::Warning, title, text,
                        QMessageBox::Ok, this);
        box.exec();
    };
    const QString title = tr("Port Test");
    if (port.isEmpty()) return show(title, tr("Choose a port first."), false);
    if (port == QString::fromUtf8(kVirtualPortName.data(), qsizetype(kVirtualPortName.size()))) {
        return show(title,
                    tr("The built-in virtual radio needs no cable or port: it "
                       "always answers."),
                    true);
    }
    if (!m_tester) return;
    // One wake-up takes well under a second; the cursor says the dialog is busy meanwhile.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const radio::DoctorReport report = m_tester(ToStd(port));
    QApplication::restoreOverrideCursor();
    show(title, QString::fromStdString(radio::FormatReport(report)).trimmed(), report.ok());
}

void CComSetupDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && m_showHelp) m_showHelp(kHelpContext);
    QDialog::keyPressEvent(event);
}

QRadioButton* CComSetupDlg::ClassicButton(int index) const {
    return index >= 0 && index < 4 ? m_classic[index] : nullptr;
}

std::vector<QRadioButton*> CComSetupDlg::ChoiceButtons() const {
    std::vector<QRadioButton*> all(std::begin(m_classic), std::end(m_classic));
    all.insert(all.end(), m_others.begin(), m_others.end());
    return all;
}

QString CComSetupDlg::PortNameOf(const QRadioButton* button) const {
    for (int i = 0; i < 4; ++i) {
        if (m_classic[i] == button) return ClassicName(i);
    }
    for (std::size_t k = 0; k < m_others.size(); ++k) {
        if (m_others[k] == button) return m_otherNames[k];
    }
    return {};
}
