#include "editor/dataset/GridStore.h"

namespace vt {

namespace {
const std::string kEmpty;
}

GridStore::GridStore(int rows, int cols) : rows_(rows < 1 ? 1 : rows), cols_(cols < 1 ? 1 : cols) {
    cells_.assign(static_cast<size_t>(rows_) * cols_, std::string());
    widths_.assign(static_cast<size_t>(cols_), 960);
}

int GridStore::ColWidth(int col) const { return col >= 0 && col < cols_ ? widths_[static_cast<size_t>(col)] : 0; }

void GridStore::SetColWidth(int col, int twips) {
    if (col < 0 || col >= cols_ || widths_[static_cast<size_t>(col)] == twips) return;
    widths_[static_cast<size_t>(col)] = twips;
    notifyReset();
}

void GridStore::SetRows(int rows) {
    if (rows < 1) rows = 1;
    if (rows == rows_) return;
    cells_.resize(static_cast<size_t>(rows) * cols_);
    rows_ = rows;
    notifyReset();
}

void GridStore::SetCols(int cols) {
    if (cols < 1) cols = 1;
    if (cols == cols_) return;
    std::vector<std::string> next(static_cast<size_t>(rows_) * cols);
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < cols && c < cols_; ++c) next[static_cast<size_t>(r) * cols + c] = cells_[r * cols_ + c];
    cells_.swap(next);
    widths_.resize(static_cast<size_t>(cols), 960);
    cols_ = cols;
    notifyReset();
}

const std::string& GridStore::TextMatrix(int row, int col) const {
    if (!Contains(row, col)) return kEmpty;
    return cells_[static_cast<size_t>(row) * cols_ + col];
}

void GridStore::SetTextMatrix(int row, int col, const std::string& text) {
    if (!Contains(row, col)) return;
    std::string& cell = cells_[static_cast<size_t>(row) * cols_ + col];
    if (cell == text) return;
    cell = text;
    if (batch_ > 0) dirty_ = true;
    else if (listener_) listener_->cellChanged(row, col);
}

void GridStore::ClearRow(int row) {
    if (row < 0 || row >= rows_) return;
    for (int c = 0; c < cols_; ++c) SetTextMatrix(row, c, std::string());
}

void GridStore::ClearAll() {
    for (auto& c : cells_) c.clear();
    notifyReset();
}

void GridStore::endBatch() {
    if (batch_ > 0 && --batch_ == 0 && dirty_) {
        dirty_ = false;
        if (listener_) listener_->gridReset();
    }
}

void GridStore::notifyReset() {
    if (batch_ > 0) dirty_ = true;
    else if (listener_) listener_->gridReset();
}

} // namespace vt
