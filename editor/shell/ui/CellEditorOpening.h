#pragma once
// The cell an editor was opened on. An editor commits only there, and at most once per opening,
// so a late focus loss or a stale editor never writes into another cell.
namespace vt {

class CellEditorOpening {
public:
    void Open(int row, int col) {
        row_ = row;
        col_ = col;
        open_ = true;
    }
    bool IsOpen() const { return open_; }
    int Row() const { return row_; }
    int Col() const { return col_; }
    // Ends the opening; false when it was not open (nothing may be committed then).
    bool Close() {
        bool was = open_;
        open_ = false;
        return was;
    }

private:
    int row_ = -1, col_ = -1;
    bool open_ = false;
};

} // namespace vt
