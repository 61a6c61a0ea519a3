#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/image/radio_image.h"
#include "core/link/usb_chips.h"
#include "core/link/write_pool.h"

class AppContext;
class CVirtualRadioHost;
class CWriteCheckDlg;
class CWritePoolRunner;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

// Program > Write to Several Radios: the document's image written to many radios at once, in
// rounds. The user lists the ports (detected ones, typed names, and the built-in virtual radio
// as often as wanted, each a radio of its own), chooses Verify and Back up first, and starts;
// every port gets a row with its own progress bar and result. When a round has ended, Next
// round writes the same image to the radios connected next. Each radio's result is a row of the
// log: appended to the log file chosen up front, and kept for Save log... The window stays
// usable while the radios are written; closing it asks before cancelling them.
class CWriteManyDlg : public QDialog {
    Q_OBJECT

  public:
    // The image the batch writes, taken when Start is pressed (the document's, grid encoded).
    using ImageSource = std::function<radio::RadioImage()>;
    // The serial ports offered; the system's list by default.
    using PortLister = std::function<std::vector<radio::PortListing>()>;

    CWriteManyDlg(AppContext& ctx, ImageSource source, QWidget* parent = nullptr);
    ~CWriteManyDlg() override;

    void SetDocumentName(const QString& name);
    void SetPortLister(PortLister lister);
    // Fills the port list anew (also done each time the window is shown).
    void RefreshPorts();

    // Adds a row for `port` ("virtual:" adds another built-in radio); false when it is there
    // already or radios are being written.
    bool AddPort(const QString& port);
    // The ports of the rows as the pool names them ("/dev/ttyUSB0", "virtual:2").
    QStringList Ports() const;
    // The built-in radio of a row (null for other ports).
    std::shared_ptr<CVirtualRadioHost> VirtualRadio(const QString& port) const;

    bool IsRunning() const;
    int Round() const { return m_round; }
    // The log rows of every round so far, without the header.
    const QStringList& LogRows() const { return m_logRows; }

    QComboBox* PortCombo() const { return m_comboPort; }
    QTableWidget* Table() const { return m_table; }
    QProgressBar* ProgressBar(int row) const;
    QString ResultText(int row) const;
    QCheckBox* VerifyBox() const { return m_checkVerify; }
    QCheckBox* BackupBox() const { return m_checkBackup; }
    QLineEdit* LogEdit() const { return m_editLog; }
    QLabel* Status() const { return m_status; }
    QPushButton* StartButton() const { return m_btnStart; }
    QPushButton* NextRoundButton() const { return m_btnNextRound; }
    QPushButton* CancelButton() const { return m_btnCancel; }
    QPushButton* SaveLogButton() const { return m_btnSaveLog; }
    CWriteCheckDlg* WriteCheckDlg() const { return m_pWriteCheckDlg; }
    CWritePoolRunner* Runner() const { return m_runner; }

  public slots:
    void OnAdd();
    void OnRemove();
    // A new batch: the image is taken and checked, then round 1 starts.
    void OnStart();
    // The same image to the radios connected now.
    void OnNextRound();
    void OnCancelTransfers();
    void OnChooseLog();
    // Saves every row so far to a file of the user's choosing (a new file, header first).
    bool OnSaveLog();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override { close(); }

  private:
    struct Row {
        QString port;   // the pool's name for it
        QString label;  // what the user reads
        std::shared_ptr<CVirtualRadioHost> host;
    };

    void BuildLayout();
    void StartRound();
    void OnRadioProgress(int radio, radio::BatchPhase phase, int position, int maximum);
    void OnRadioFinished(const radio::BatchRadio& radio);
    void OnRoundFinished();
    void UpdateButtons();
    bool MayClose();

    AppContext& m_ctx;
    ImageSource m_imageSource;
    PortLister m_lister;
    QString m_documentName;
    std::vector<Row> m_rows;
    int m_nextVirtual = 1;

    radio::RadioImage m_image;  // of the batch, from Start on
    std::string m_sha256;
    radio::BatchOptions m_options;
    QString m_logPath;  // the log chosen up front for this batch; empty: none
    bool m_logFailed = false;
    int m_round = 0;
    int m_good = 0;
    QStringList m_logRows;
    bool m_logUnsaved = false;  // rows that are in no file yet

    CWritePoolRunner* m_runner = nullptr;
    CWriteCheckDlg* m_pWriteCheckDlg = nullptr;
    QComboBox* m_comboPort = nullptr;
    QPushButton* m_btnAdd = nullptr;
    QPushButton* m_btnRemove = nullptr;
    QTableWidget* m_table = nullptr;
    QCheckBox* m_checkVerify = nullptr;
    QCheckBox* m_checkBackup = nullptr;
    QLineEdit* m_editLog = nullptr;
    QPushButton* m_btnChooseLog = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_btnStart = nullptr;
    QPushButton* m_btnNextRound = nullptr;
    QPushButton* m_btnCancel = nullptr;
    QPushButton* m_btnSaveLog = nullptr;
    QPushButton* m_btnClose = nullptr;
};
