#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "core/link/port_doctor.h"
#include "core/link/usb_chips.h"

namespace radio {
class SettingsStore;
}

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

// "COM Setup": the four classic ports COM1..COM4 (disabled when they cannot be opened), then
// the other serial ports of this computer and the built-in virtual radio. OK hands the chosen
// port name to the owner (PortChosen) and remembers the choice: "com" = 1..4 for the classic
// ports, the text "port" for the others. Each other port shows what the system says about it
// (cable chip, USB id, driver); Test runs the cable doctor on the checked port.
class CComSetupDlg : public QDialog {
    Q_OBJECT

  public:
    enum ControlId { kIdCom1 = 1007, kIdCom2 = 1008, kIdCom3 = 1009, kIdCom4 = 1010 };
    static constexpr int kHelpContext = 32777;

    // True when the port can be opened now (the probe closes it again).
    using PortProbe = std::function<bool(const std::string& portName)>;
    // The serial ports found, other than the four classic ones.
    using PortLister = std::function<std::vector<radio::PortListing>()>;
    // Runs the cable doctor's checks on a port.
    using PortTester = std::function<radio::DoctorReport(const std::string& portName)>;
    // Shows the outcome of Test: a title, the report, and whether every check passed.
    using ReportViewer = std::function<void(const QString& title, const QString& text, bool ok)>;

    explicit CComSetupDlg(radio::SettingsStore* store = nullptr, QWidget* parent = nullptr);

    void SetSettingsStore(radio::SettingsStore* store) { m_store = store; }
    void SetPortProbe(PortProbe probe) { m_probe = std::move(probe); }
    void SetPortLister(PortLister lister) { m_lister = std::move(lister); }
    void SetHelpHook(std::function<void(int context)> hook) { m_showHelp = std::move(hook); }
    void SetPortTester(PortTester tester) { m_tester = std::move(tester); }
    void SetReportViewer(ReportViewer viewer) { m_viewer = std::move(viewer); }

    // Runs each time the dialog is shown: probes the ports, lists the others, preselects.
    void OnInitDialog();
    void OnOK();
    // Test: the doctor's checks on the checked port, shown through the report viewer.
    void OnTest();
    QPushButton* TestButton() const { return m_pTest; }

    // The port name chosen by the last OK ("com2", "/dev/ttyUSB0", "virtual:"); empty before.
    QString ChosenPort() const { return m_strPortName; }
    // The port the stored choice names now, found as the dialog preselects it: a remembered
    // other port while the lister still finds it (the virtual radio always), else the classic
    // port "com" names, else COM1. Views transfer through this port, so that the dialog and
    // the transfer never disagree.
    QString StoredPort() const;
    // Index of the checked classic port (0..3), -1 when none of the four is checked.
    int m_nPort = -1;

    // The choice buttons in order (COM1..COM4, other ports, virtual radio) and their names.
    QRadioButton* ClassicButton(int index) const;
    std::vector<QRadioButton*> ChoiceButtons() const;
    QString PortNameOf(const QRadioButton* button) const;

    // Real probe, lister and tester: the QSerialPort adapter, the system's port list, the
    // doctor over the QSerialPort adapter.
    static bool ProbeSerialPort(const std::string& portName);
    static std::vector<radio::PortListing> OtherSerialPorts();
    static radio::DoctorReport TestSerialPort(const std::string& portName);

  signals:
    void PortChosen(const QString& portName);

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void accept() override { OnOK(); }

  private:
    // What the store names among `otherNames`: an index into them, or a classic port 0..3,
    // or neither (-1, -1).
    struct StoredChoice {
        int other = -1;
        int classic = -1;
    };
    StoredChoice ReadStoredChoice(const std::vector<QString>& otherNames) const;
    std::vector<QString> OtherNamesNow() const;  // the lister's ports, then the virtual radio
    static std::vector<QString> NamesWithVirtual(const std::vector<radio::PortListing>& ports);
    void CheckNone();

    radio::SettingsStore* m_store = nullptr;
    PortProbe m_probe;
    PortLister m_lister;
    std::function<void(int)> m_showHelp;
    PortTester m_tester;
    ReportViewer m_viewer;
    QString m_strPortName;
    QPushButton* m_pTest = nullptr;

    QGroupBox* m_group = nullptr;
    QVBoxLayout* m_groupLayout = nullptr;
    QButtonGroup* m_buttons = nullptr;
    QRadioButton* m_classic[4] = {};
    std::vector<QRadioButton*> m_others;  // other ports, then the virtual radio
    std::vector<QString> m_otherNames;
};
