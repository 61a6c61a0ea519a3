#pragma once

#include <QDialog>
#include <QHash>
#include <QSet>

#include "core/image/radio_image.h"
#include "core/options/option_values.h"

class AppContext;
class QCheckBox;
class QComboBox;
class QLineEdit;

// "Option Features": the radio-wide settings of an image, fifteen lists, the Beep box and the
// power-on name. Reads the image when it starts; OK writes back only the fields of the controls
// the user changed (or chose an entry in), so OK without a change leaves every byte; Cancel
// writes nothing. A value outside its list shows as an extra last entry, "12 (not in the
// list)", and stays stored until a real entry is chosen.
class COptionFeaturesDlg : public QDialog {
    Q_OBJECT
  public:
    explicit COptionFeaturesDlg(AppContext& ctx, QWidget* parent = nullptr);

    // Shows the dialog modally over `image`.
    int DoModal(radio::RadioImage& image);

    // The steps of DoModal, for callers that drive the dialog themselves.
    void Attach(radio::RadioImage* image) { m_pImage = image; }
    void OnInitDialog();     // fills the controls from the image
    void accept() override;  // OK: writes the changed controls into the image, then closes

    // The controls by id (1116-1130 lists, 1002 name, 1016 Beep).
    QComboBox* List(int controlId) const { return m_lists.value(controlId); }
    QLineEdit* PowerOnName() const { return m_pName; }
    QCheckBox* Beep() const { return m_pBeep; }

    // What the controls show now; a list on its extra entry has no selection.
    radio::OptionValues Values() const;
    // The controls OK would write now.
    std::vector<int> ChangedControls() const;

  private:
    radio::RadioImage* m_pImage = nullptr;
    radio::OptionValues m_shown;  // what the controls showed at the start
    QSet<int> m_picked;           // lists in which the user chose a real entry
    QHash<int, QComboBox*> m_lists;
    QLineEdit* m_pName;
    QCheckBox* m_pBeep;
};
