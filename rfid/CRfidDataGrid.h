#pragma once

#include <QString>
#include <QVector>
#include <QWidget>

class QLineEdit;

// The RFID data grid: 64 byte cells in rows of 12, each row under a row of its cell
// numbers. The cells are the dialog's own controls, with the ids `cellIds` lists in
// position order ("1237-1248,1327-1346"): ranges or single ids, separated by commas.
class CRfidDataGrid : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString cellIds READ cellIds WRITE setCellIds)
    Q_PROPERTY(bool readOnlyCells READ readOnlyCells WRITE setReadOnlyCells)
public:
    static constexpr int kCells = 64;
    static constexpr int kColumns = 12;

    explicit CRfidDataGrid(QWidget* parent = nullptr);

    QString cellIds() const { return m_cellIds; }
    // Builds the cells; a list that does not name 64 ids is a programming error.
    void setCellIds(const QString& ids);
    bool readOnlyCells() const { return m_readOnly; }
    void setReadOnlyCells(bool readOnly);

    // The control id of the cell at `position` (0 to 63).
    int cellId(int position) const { return m_ids.value(position, -1); }
    QLineEdit* cell(int position) const { return m_cells.value(position); }

    // Parses the id list; empty when it is malformed.
    static QVector<int> parseIds(const QString& ids);

signals:
    // The operator changed the text of the cell at `position`.
    void cellEdited(int position);

private:
    QString m_cellIds;
    QVector<int> m_ids;
    QVector<QLineEdit*> m_cells;
    bool m_readOnly = false;
};
