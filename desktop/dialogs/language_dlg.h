#pragma once

#include <QDialog>

class AppContext;
class QRadioButton;

// "Language": English or Chinese. OK with the other language stores it in Program.ini
// ([Setup] Language); the running program keeps its language until it is started again.
// Focus starts on the running language; the arrow keys choose, Enter confirms.
class CLanguageDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CLanguageDlg(AppContext& ctx, QWidget* parent = nullptr);

    // Selects the running language; exec() calls it.
    void OnInitDialog();
    int exec() override;
    void accept() override;  // OK

    int Selection() const { return m_nSelected; }  // 0 English, 1 Chinese, -1 before start
    void SetSelection(int index);
    // True while a stored change waits for the restart.
    bool IsChanged() const { return m_bChanged; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    AppContext& m_ctx;
    QRadioButton* m_pEnglish;
    QRadioButton* m_pChinese;
    int m_nSelected = -1;
    bool m_bChanged = false;
};
