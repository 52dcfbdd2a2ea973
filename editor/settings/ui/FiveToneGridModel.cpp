#include "editor/settings/ui/FiveToneGridModel.h"

#include "editor/settings/core/FiveToneList.h"

namespace vt {

FiveToneGridModel::FiveToneGridModel(FiveToneList& list, QObject* parent) : QAbstractTableModel(parent), list_(list) {}

int FiveToneGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kToneGridRows - 1; }

int FiveToneGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kToneGridCols - 1;
}

QVariant FiveToneGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return QString::fromStdString(list_.Cell(index.row() + 1, index.column() + 1));
}

QVariant FiveToneGridModel::headerData(int section, Qt::Orientation o, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (o == Qt::Horizontal) return QString::fromStdString(list_.Cell(0, section + 1));
    return QString::fromStdString(list_.Cell(section + 1, 0));
}

void FiveToneGridModel::refresh() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

} // namespace vt
