#pragma once

#include <QGroupBox>
#include <QList>
#include <string>
#include <vector>

#include "core/formats/column_map.h"

class QComboBox;
class QLabel;

// The mapping step of the Import preview: for each field of a channel, a drop-down of the
// file's columns, filled with a guess or the map remembered for the file's header.
class CColumnMapPanel : public QGroupBox {
    Q_OBJECT
  public:
    explicit CColumnMapPanel(QWidget* parent = nullptr);

    // The file's column names and the map to show; `remembered` says where it came from.
    void SetColumns(const std::vector<std::string>& header, const radio::ColumnMap& map,
                    bool remembered);
    radio::ColumnMap Map() const;
    const std::vector<std::string>& Header() const { return m_header; }
    QComboBox* FieldBox(radio::MapField field) const {
        return m_boxes.value(static_cast<int>(field));
    }
    QLabel* Note() const { return m_pNote; }

  signals:
    void MapChanged();

  private:
    std::vector<std::string> m_header;
    QList<QComboBox*> m_boxes;  // one per field, in MapField order
    QLabel* m_pNote;
};
