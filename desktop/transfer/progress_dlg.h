#pragma once

#include <QDialog>
#include <QString>
#include <atomic>

#include "core/config/language.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

// The modeless transfer window: OK starts the transfer, Cancel cancels it (before OK: closes,
// nothing is opened), the bar and the line below it show the progress ("Writing block 135 of
// 1022"). The object lives as
// long as its view; its window is opened for each Read or Write (Open) and closed at the end of
// each transfer (Dismiss).
class CProgressDlg : public QDialog {
    Q_OBJECT

  public:
    enum ControlId {
        kIdOk = 1,
        kIdCancel = 2,
        kIdProgress = 1001,
        kIdPosition = 1009,
        kIdVerify = 1040,
    };

    explicit CProgressDlg(QWidget* parent = nullptr);

    // "Read Data" / "Write Data" in the display language.
    static QString TitleFor(bool writeMode, radio::Language lang);
    // "Verify Data", the caption while a write is read back, and the check box's text.
    static QString VerifyTitleFor(radio::Language lang);
    static QString VerifyBoxTextFor(radio::Language lang);

    // The check box that has a write read back and compared: shown for writes only, and
    // fixed once OK has started the transfer.
    void ShowVerifyBox(bool shown, const QString& text);
    bool IsVerifyShown() const;
    bool IsVerifyChecked() const;
    void SetVerifyChecked(bool checked);
    // What the blocks of the transfer are for, named in the line below the bar.
    enum class Phase { Reading, Writing, Verifying };
    void SetPhase(Phase phase);
    // The read-back of a verifying write begins: the caption becomes m_strVerifyTitle, the bar
    // starts again with the range the read-back sets, and the blocks are verified ones.
    void SetVerifyPhase();
    // Block `block` of `blocks` is done: "Reading block 12 of 1024".
    void SetBlock(int block, int blocks);

    // Opens the window afresh (OK enabled, "0", cancel flag cleared) with m_strTitle as caption.
    void Open();
    // Closes the window at the end of a transfer; the object stays for the next one.
    void Dismiss();
    bool IsOpen() const { return isVisible(); }
    // True once OK has been pressed in the open window.
    bool IsStarted() const;

    void SetRange(int maximum);
    void SetPos(int position);  // the bar
    int GetPos() const;
    int GetRangeMax() const;

    // The control standing for a dialog control id (1, 2, 1001, 1009).
    QWidget* GetDlgItem(int id) const;

    QString m_strTitle;
    QString m_strVerifyTitle;
    // Set by Cancel; the transfer reads it. Cleared each time the window opens.
    std::atomic<bool> m_bCancel{false};

  signals:
    // OK pressed: the owner starts the transfer.
    void StartTransfer();
    // Cancel during a running transfer: the window stays until the transfer has ended.
    void CancelRequested();

  public slots:
    void OnOK();
    void OnCancel();

  protected:
    void accept() override { OnOK(); }
    void reject() override { OnCancel(); }

  private:
    QPushButton* m_btnOk = nullptr;
    QPushButton* m_btnCancel = nullptr;
    QProgressBar* m_wndProgress = nullptr;
    QLabel* m_staticPos = nullptr;
    QCheckBox* m_chkVerify = nullptr;
    Phase m_phase = Phase::Reading;
};
