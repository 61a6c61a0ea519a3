#pragma once

#include <QDialog>
#include <QString>

class AppContext;
class QLabel;
class QPushButton;
class QTreeWidget;

// File > Radio Backups: the images kept from complete reads, newest first, with their date,
// how many channels are in use and the first channels' names. Open (or a double-click, or
// Enter) chooses one; the caller opens it as a new document.
class CBackupsDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CBackupsDlg(AppContext& ctx, QWidget* parent = nullptr);

    // The backup chosen by Open; empty before.
    QString ChosenPath() const { return m_strChosen; }

    QTreeWidget* List() const { return m_list; }
    QLabel* Folder() const { return m_folder; }
    QPushButton* OpenButton() const { return m_btnOpen; }

    void accept() override;  // Open

  private:
    void Fill(const QString& folder);

    QLabel* m_folder = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_btnOpen = nullptr;
    QString m_strChosen;
};
