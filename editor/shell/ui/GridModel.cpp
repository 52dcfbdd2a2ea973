#include "editor/shell/ui/GridModel.h"

#include "editor/image/GridShape.h"

namespace vt {

GridModel::GridModel(ChannelGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), rows_(grid.Rows()), cols_(grid.Cols()) {
    grid_.setListener(this);
}

GridModel::~GridModel() { grid_.setListener(nullptr); }

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.Rows() - 1; }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.Cols() - 1; }

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    return QString::fromStdString(grid_.TextMatrix(index.row() + 1, index.column() + 1));
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole && orientation == Qt::Vertical)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return QString::fromStdString(grid_.TextMatrix(0, section + 1));
    return QString::fromStdString(grid_.TextMatrix(section + 1, ColNo));
}

void GridModel::gridReset() {
    if (grid_.Rows() != rows_ || grid_.Cols() != cols_) {
        // The store has already changed shape; the view asks for everything again.
        beginResetModel();
        rows_ = grid_.Rows();
        cols_ = grid_.Cols();
        endResetModel();
    } else if (rowCount() > 0 && columnCount() > 0) {
        // Same shape: refresh in place, so the user's scroll position and current cell stay.
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    }
    emit gridRefreshed();
}

void GridModel::cellChanged(int row, int col) {
    if (row == 0 && col > 0) emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
    else if (col == 0 && row > 0) emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
    else if (row > 0 && col > 0) {
        QModelIndex i = index(row - 1, col - 1);
        emit dataChanged(i, i);
    }
}

} // namespace vt
