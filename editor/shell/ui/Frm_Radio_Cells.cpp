// The grid's click and scroll, and the cell editors laid over the cells.
#include "editor/dataset/CellRules.h"
#include "editor/dataset/GridRules.h"
#include "editor/shell/ui/CellEditors.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "editor/shell/ui/GridModel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolBar>
#include <QToolButton>

namespace vt {

// The grid as the cell editors see it: rectangles on the window, which holds the editors.
class RadioGridHost : public QObject, public CellEditorHost {
public:
    explicit RadioGridHost(Frm_Radio& w) : QObject(&w), w_(w) {}
    QRect GridRect() override { return w_.MFGRect(); }
    QRect CellRect(int row, int col) override { return w_.MFGCellRect(row, col); }
    void MoveToCell(int row, int col) override { w_.SetMFGCell(row, col); }
    void MFG_Click() override { w_.MFG_Click(); }
    void CompleteTexts(CellContext& c) override {
        c.NotNumberMsg = w_.NotNumberMsg.toStdString();
        c.RangeInfixMsg = w_.RangeInfixMsg.toStdString();
        c.ToneRangeMsg = w_.ToneRangeMsg.toStdString();
    }

private:
    Frm_Radio& w_;
};

namespace {
CellEditors* CellsOf(const Frm_Radio& w) { return w.findChild<CellEditors*>(QString(), Qt::FindDirectChildrenOnly); }
} // namespace

void Frm_Radio::SetupCellEditors() {
    CellEditorWidgets w;
    w.TxtTxFreq = TxtTxFreq;
    w.TxtRxFreq = TxtRxFreq;
    w.TxtName1 = TxtName1;
    w.TxtName2 = TxtName2;
    w.lstCTENC = lstCTENC;
    w.lstCTDEC = lstCTDEC;
    w.lstDCENC = lstDCENC;
    w.lstDCDEC = lstDCDEC;
    w.txtOtherEnc = txtOtherEnc;
    w.txtOtherDec = txtOtherDec;
    w.ComboBCLO = ComboBCLO;
    w.ComboSCAN = ComboSCAN;
    w.ComboScan2 = ComboScan2;
    w.Combo5Tone = Combo5Tone;
    w.ComboANI = ComboANI;
    w.ComboSelCall = ComboSelCall;
    w.TxtCTDEV = TxtCTDEV;
    w.TxtPower = TxtPower;
    auto* cells = new CellEditors(d_, *new RadioGridHost(*this), w, this);
    connect(MFGModel, &GridModel::gridRefreshed, cells, [cells] { cells->CloseAll(); });
    // A toolbar click takes the focus, so an open editor commits before the command reads the
    // grid (Save, Write), as a click on the old toolbar's buttons did.
    if (Toolbar1)
        for (QToolButton* b : Toolbar1->findChildren<QToolButton*>()) b->setFocusPolicy(Qt::ClickFocus);
}

bool Frm_Radio::CellEditorEvent(QObject* watched, QEvent* event) {
    CellEditors* cells = CellsOf(*this);
    return cells && cells->Event(watched, event);
}

void Frm_Radio::MFG_Click() {
    CellEditors* cells = CellsOf(*this);
    if (!cells) return;
    // A frequency box that refused its text keeps the focus; the click does not move on.
    if (cells->HoldsFocus()) {
        cells->ReturnFocus();
        return;
    }
    CurRow = MFGRow();
    CurCol = MFGCol();
    lbcurArea->setText(QString::fromStdString(WhichArea(CurRow)));
    if (const QString* why = LockedCellTip(CurRow, CurCol))
        ShowTip(*why); // no editor: say why
    else if (cells->Open(CurRow, CurCol))
        ShowTip(CellTip(CurRow, CurCol));
    cells->HideTonesExcept(CurCol);
    d_.MarkModified(); // every click, edited or not
}

QString Frm_Radio::CellTip(int row, int col) const {
    // The second receiver's Rx cannot be emptied while it is on (CommitRxCell).
    if (col == ColRxFreq && row == d_.MFG.Rows() - 1 && SecondReceiverOn(d_))
        return BandTipText + "\n" + Lng("Fradio_Tip", 19);
    return ColumnTips[static_cast<size_t>(col - 1)];
}

const QString* Frm_Radio::LockedCellTip(int row, int col) const {
    switch (CellLockOf(d_, row, col)) {
    case CellLock::SecondRxOff:
        return &SecondRxOffTip;
    case CellLock::NoEncodeTone:
        return &NoEncodeToneTip;
    case CellLock::None:
        break;
    }
    return nullptr;
}

bool Frm_Radio::CommitOpenEditor() {
    CellEditors* cells = CellsOf(*this);
    return !cells || cells->CommitOpen();
}

void Frm_Radio::MFG_Scroll() {
    if (CellEditors* cells = CellsOf(*this)) cells->HideForScroll();
    ShowTip(DefaultTip);
}

int Frm_Radio::GetDCSIndex(const std::string& code) { return vt::GetDCSIndex(code); }


} // namespace vt
