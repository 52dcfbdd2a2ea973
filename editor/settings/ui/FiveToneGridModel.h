#pragma once
// Shows the call list of a 5-tone working copy: lines 1..100, the six fields as columns; the
// line number is the vertical header.
#include <QAbstractTableModel>

namespace vt {

class FiveToneList;

class FiveToneGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FiveToneGridModel(FiveToneList& list, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    // The list changed behind the model's back.
    void refresh();

private:
    FiveToneList& list_;
};

} // namespace vt
