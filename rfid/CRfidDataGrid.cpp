#include "rfid/CRfidDataGrid.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <stdexcept>

namespace {

constexpr int kCellWidth = 30;

}  // namespace

CRfidDataGrid::CRfidDataGrid(QWidget* parent) : QWidget(parent) {}

QVector<int> CRfidDataGrid::parseIds(const QString& ids)
{
    QVector<int> result;
    for (const QString& part : ids.split(u',', Qt::SkipEmptyParts)) {
        const QStringList bounds = part.trimmed().split(u'-');
        bool ok1 = false;
        bool ok2 = true;
        const int first = bounds.value(0).toInt(&ok1);
        const int last = bounds.size() == 2 ? bounds[1].toInt(&ok2) : first;
        if (!ok1 || !ok2 || bounds.size() > 2 || last < first)
            return {};
        for (int id = first; id <= last; ++id)
            result << id;
    }
    return result;
}

void CRfidDataGrid::setCellIds(const QString& ids)
{
    const QVector<int> parsed = parseIds(ids);
    if (parsed.size() != kCells)
        throw std::logic_error("an RFID data grid needs 64 cell ids");
    if (!m_cells.isEmpty())
        throw std::logic_error("the RFID data grid's cells are made once");
    m_cellIds = ids;
    m_ids = parsed;

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(2);
    layout->setVerticalSpacing(0);
    for (int position = 0; position < kCells; ++position) {
        const int row = position / kColumns * 2;
        const int column = position % kColumns;
        auto* number = new QLabel(QString::number(position + 1), this);
        number->setAlignment(Qt::AlignCenter);
        layout->addWidget(number, row, column);

        auto* edit = new QLineEdit(this);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFixedWidth(kCellWidth);
        edit->setReadOnly(m_readOnly);
        edit->setProperty("ctlId", m_ids[position]);
        connect(edit, &QLineEdit::textEdited, this, [this, position] { emit cellEdited(position); });
        layout->addWidget(edit, row + 1, column);
        m_cells << edit;
    }
}

void CRfidDataGrid::setReadOnlyCells(bool readOnly)
{
    m_readOnly = readOnly;
    for (QLineEdit* edit : m_cells)
        edit->setReadOnly(readOnly);
}
