#pragma once

#include <QDialog>

#include "core/image/radio_image.h"

class AppContext;
class QComboBox;

// "Product Information": the radio type and its frequency band. OK writes them into the
// image (type, band and band-limit bytes) and into the settings store, and gives the main
// window title that names them.
class CProductInfoDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CProductInfoDlg(AppContext& ctx, QWidget* parent = nullptr);

    int DoModal(radio::RadioImage& image);

    void Attach(radio::RadioImage* image) { m_pImage = image; }
    void OnInitDialog();
    void accept() override;  // OK

    QComboBox* TypeCombo() const { return m_pType; }  // 1013
    QComboBox* BandCombo() const { return m_pBand; }  // 1014
    // "<AppName>  [ Type:<type>  Fre:<band> ]" after OK.
    const QString& ResultTitle() const { return m_strTitle; }

  private:
    void FillBands(int typeIndex);  // the bands of a type, first one selected

    AppContext& m_ctx;
    radio::RadioImage* m_pImage = nullptr;
    QComboBox* m_pType;
    QComboBox* m_pBand;
    QString m_strTitle;
};
