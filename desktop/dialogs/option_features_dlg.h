#pragma once

#include <QDialog>
#include <QHash>

#include "core/image/radio_image.h"
#include "core/options/option_values.h"

class AppContext;
class QCheckBox;
class QComboBox;
class QLineEdit;

// "Option Features": the radio-wide settings of an image, fifteen lists, the Beep box and the
// power-on name. Reads the image when it starts; OK writes it back, Cancel writes nothing.
class COptionFeaturesDlg : public QDialog {
    Q_OBJECT
  public:
    explicit COptionFeaturesDlg(AppContext& ctx, QWidget* parent = nullptr);

    // Shows the dialog modally over `image`.
    int DoModal(radio::RadioImage& image);

    // The steps of DoModal, for callers that drive the dialog themselves.
    void Attach(radio::RadioImage* image) { m_pImage = image; }
    void OnInitDialog();     // fills the controls from the image
    void accept() override;  // OK: writes the controls into the image, then closes

    // The controls by id (1116-1130 lists, 1002 name, 1016 Beep).
    QComboBox* List(int controlId) const { return m_lists.value(controlId); }
    QLineEdit* PowerOnName() const { return m_pName; }
    QCheckBox* Beep() const { return m_pBeep; }

    // What the controls show now.
    radio::OptionValues Values() const;

  private:
    radio::RadioImage* m_pImage = nullptr;
    QHash<int, QComboBox*> m_lists;
    QLineEdit* m_pName;
    QCheckBox* m_pBeep;
};
