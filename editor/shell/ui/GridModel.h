#pragma once
// Shows the data set's channel grid in a table view: grid row 0 is the horizontal header, grid
// column 0 the vertical one, so model cell (i, j) is grid cell (i + 1, j + 1).
#include "editor/dataset/ChannelGrid.h"

#include <QAbstractTableModel>

namespace vt {

class GridModel : public QAbstractTableModel, public GridListener {
    Q_OBJECT
public:
    explicit GridModel(ChannelGrid& grid, QObject* parent = nullptr);
    ~GridModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void gridReset() override;
    void cellChanged(int row, int col) override;

    ChannelGrid& grid() { return grid_; }

signals:
    // Many cells or the widths changed (after a reset or an in-place refresh).
    void gridRefreshed();

private:
    ChannelGrid& grid_;
    int rows_, cols_; // the shape the view last saw
};

} // namespace vt
