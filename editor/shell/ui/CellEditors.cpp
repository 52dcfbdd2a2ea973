#include "editor/shell/ui/CellEditors.h"

#include "common/ui/MessageBox.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/shell/ui/Twips.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <algorithm>

namespace vt {

namespace {
constexpr int kEditorInset = Px(10); // text boxes are 10 twips smaller than the cell
constexpr int kComboLeftShift = Px(10);
constexpr int kComboTopShift = Px(50);
constexpr int kListWidth = Px(2200);
constexpr int kListHeight = Px(3300);

// Switching to another program, opening a menu or a drop-down, or a message box of our own
// leaves the editor where it is; any other focus change ends it.
bool EndsEditing(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

bool IsEnter(QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

void Fill(QListWidget* list, const std::vector<std::string>& items) {
    list->clear();
    for (const auto& s : items) list->addItem(QString::fromStdString(s));
}

void Fill(QComboBox* combo, const std::vector<std::string>& items) {
    combo->clear();
    for (const auto& s : items) combo->addItem(QString::fromStdString(s));
}

} // namespace

CellEditors::CellEditors(EditorData& data, CellEditorHost& host, const CellEditorWidgets& w, QObject* parent)
    : QObject(parent), d_(data), host_(host), w_(w) {
    auto freq = [this](const std::string& cell, const std::string& in) { return CommitFreq(cell, in, Context()); };
    auto name = [this](const char* field) {
        return [this, field](const std::string& cell, const std::string& in) {
            return CommitChannelName(cell, in, field, d_.Lang);
        };
    };
    auto custom = [this](const std::string& cell, const std::string& in) {
        return CommitCustomTone(cell, in, Context());
    };
    Add(w_.TxtTxFreq, Kind::Frequency, freq);
    Add(w_.TxtRxFreq, Kind::Frequency, [this](const std::string& cell, const std::string& in) {
        const Editor* e = Find(w_.TxtRxFreq);
        return CommitRxCell(d_, e ? e->opening.Row() : 0, cell, in, Context());
    });
    Add(w_.TxtName1, Kind::Name, name("ID line1."));
    Add(w_.TxtName2, Kind::Name, name("ID line2."));
    Add(w_.txtOtherEnc, Kind::CustomTone, custom);
    Add(w_.txtOtherDec, Kind::CustomTone, custom);
    Add(w_.TxtCTDEV, Kind::CtDev, [this](const std::string& cell, const std::string& in) {
        const Editor* e = Find(w_.TxtCTDEV);
        return CommitCtDev(cell, in, Context(), e && HoldsDcsDeviation(d_.MFG, e->opening.Row()));
    });
    Add(w_.TxtPower, Kind::Power, [this](const std::string& cell, const std::string& in) {
        return CommitPower(cell, in, Context());
    });
    Add(w_.lstCTENC, Kind::ToneList);
    Add(w_.lstCTDEC, Kind::ToneList);
    Add(w_.lstDCENC, Kind::CodeList);
    Add(w_.lstDCDEC, Kind::CodeList);
    auto itemsOf = [this](const std::vector<std::string>& items) {
        return [this, &items](const std::string& cell, const std::string& in) {
            return vt::CommitCombo(cell, in, items, Context());
        };
    };
    Add(w_.ComboBCLO, Kind::Combo, itemsOf(BclItems()));
    // A SCAN combo takes what it offers on its row.
    Add(w_.ComboSCAN, Kind::Combo, [this](const std::string& cell, const std::string& in) {
        return CommitScan(cell, in, ScanItems(w_.ComboSCAN, d_.ScanChoices), Context());
    });
    Add(w_.ComboScan2, Kind::Combo, [this](const std::string& cell, const std::string& in) {
        return CommitScan(cell, in, ScanItems(w_.ComboScan2, Scan2Items()), Context());
    });
    Add(w_.Combo5Tone, Kind::Combo, itemsOf(FiveToneItems()));
    Add(w_.ComboANI, Kind::Combo, itemsOf(AniItems()));
    Add(w_.ComboSelCall, Kind::Combo, [this](const std::string& cell, const std::string& in) {
        return CommitSelCall(cell, in, Context());
    });

    w_.TxtTxFreq->setMaxLength(kFreqMaxLength);
    w_.TxtRxFreq->setMaxLength(kFreqMaxLength);
    w_.TxtName1->setMaxLength(kName1MaxLength);
    w_.TxtName2->setMaxLength(kName2MaxLength);
    w_.txtOtherEnc->setMaxLength(kCustomToneMaxLength);
    w_.txtOtherDec->setMaxLength(kCustomToneMaxLength);

    for (QListWidget* list : {w_.lstCTENC, w_.lstCTDEC, w_.lstDCENC, w_.lstDCDEC}) {
        Fill(list, list == w_.lstCTENC || list == w_.lstCTDEC ? CtcssListItems() : DcsListItems());
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        connect(list, &QListWidget::itemClicked, this, [this, list](QListWidgetItem* item) {
            if (item) OnChosen(list, list->row(item));
        });
    }
    Fill(w_.ComboBCLO, BclItems());
    Fill(w_.ComboSCAN, d_.ScanChoices);
    Fill(w_.ComboScan2, Scan2Items());
    Fill(w_.Combo5Tone, FiveToneItems());
    Fill(w_.ComboANI, AniItems());
    Fill(w_.ComboSelCall, SelCallItems());
    for (QComboBox* combo : {w_.ComboBCLO, w_.ComboSCAN, w_.ComboScan2, w_.Combo5Tone, w_.ComboANI, w_.ComboSelCall}) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert); // typed text is judged on commit, never added
        if (combo->completer()) combo->completer()->setCaseSensitivity(Qt::CaseSensitive);
        combo->setCurrentIndex(0);
    }
    for (auto& [widget, e] : editors_) widget->hide();
}

void CellEditors::Add(QWidget* w, Kind kind, Rule rule) { editors_[w] = Editor{kind, std::move(rule), {}}; }

CellEditors::Editor* CellEditors::Find(QObject* w) {
    auto it = editors_.find(qobject_cast<QWidget*>(w));
    return it == editors_.end() ? nullptr : &it->second;
}

// ---- opening ----

bool CellEditors::Open(int row, int col) {
    if (!EditorOpensOn(col, row, d_.MFG.Rows() - 1)) return false;
    if (col == ColScan) {
        ShowScan(row, col);
        return true;
    }
    QWidget* const byColumn[] = {nullptr,       w_.TxtTxFreq,  w_.TxtRxFreq,  w_.TxtName1,  w_.TxtName2,  w_.lstCTENC,
                                 w_.lstCTDEC,   w_.lstDCENC,   w_.lstDCDEC,   w_.ComboBCLO, nullptr,      w_.Combo5Tone,
                                 w_.ComboANI,   w_.ComboSelCall, w_.TxtCTDEV, w_.TxtPower};
    Show(byColumn[col], row, col);
    return true;
}

void CellEditors::Show(QWidget* editor, int row, int col) {
    Editor* e = Find(editor);
    if (!e) return;
    e->opening.Open(row, col);
    Place(editor, e->kind, row, col);
    const QString text = QString::fromStdString(CellText(row, col));
    if (auto* box = qobject_cast<QLineEdit*>(editor)) box->setText(text);
    if (auto* list = qobject_cast<QListWidget*>(editor)) {
        list->setCurrentRow(0); // a preselection, not a choice: nothing is written
        list->scrollToTop();
    }
    if (auto* combo = qobject_cast<QComboBox*>(editor)) combo->setEditText(text);
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
    if (auto* box = qobject_cast<QLineEdit*>(editor)) {
        if (e->kind == Kind::CustomTone)
            box->deselect();
        else
            box->selectAll();
    }
    // Typing replaces the cell's text, as in the text boxes, instead of running on behind it
    // into a text that is no item.
    if (auto* combo = qobject_cast<QComboBox*>(editor); combo && combo->lineEdit()) combo->lineEdit()->selectAll();
}

void CellEditors::ShowScan(int row, int col) {
    const bool trunk = IsTAvailable(d_, row) != 0;
    QComboBox* combo = trunk ? w_.ComboSCAN : w_.ComboScan2;
    Fill(combo, ScanItemsOn(d_, row, trunk ? d_.ScanChoices : Scan2Items()));
    Show(combo, row, col);
}

std::vector<std::string> CellEditors::ScanItems(QComboBox* combo, const std::vector<std::string>& items) {
    const Editor* e = Find(combo);
    return e ? ScanItemsOn(d_, e->opening.Row(), items) : items;
}

void CellEditors::Place(QWidget* w, Kind kind, int row, int col) {
    const QRect cell = host_.CellRect(row, col);
    const QRect grid = host_.GridRect();
    switch (kind) {
    case Kind::ToneList:
    case Kind::CodeList: {
        // Right of the cell, its top at the grid's top; kept inside the window so it stays usable.
        int x = cell.left() - grid.left() + cell.width();
        if (QWidget* p = w->parentWidget()) x = std::min(x, p->width() - kListWidth);
        w->setGeometry(std::max(0, x), grid.top(), kListWidth, kListHeight);
        break;
    }
    case Kind::Combo:
        w->setGeometry(cell.left() - kComboLeftShift, cell.top() - kComboTopShift, cell.width(), w->sizeHint().height());
        break;
    default:
        w->setGeometry(cell.left(), cell.top(), std::max(1, cell.width() - kEditorInset),
                       std::max(1, cell.height() - kEditorInset));
        break;
    }
}

// ---- closing ----

void CellEditors::Close(QWidget* w) {
    if (Editor* e = Find(w)) e->opening.Close();
    if (w == held_) held_ = nullptr;
    w->hide();
}

void CellEditors::HideTonesExcept(int col) {
    if (col != ColCtcssEnc) Close(w_.lstCTENC);
    if (col != ColCtcssDec) Close(w_.lstCTDEC);
    if (col != ColDcsEnc) Close(w_.lstDCENC);
    if (col != ColDcsDec) Close(w_.lstDCDEC);
}

void CellEditors::HideForScroll() {
    for (auto& [widget, e] : editors_) {
        if (e.kind == Kind::CustomTone) continue;
        // A frequency box waiting after a refusal holds no value of the user's: the cell keeps its own.
        if (e.opening.IsOpen() && widget != held_) Finish(widget, e, false);
        Close(widget);
    }
}

bool CellEditors::CommitOpen() {
    bool good = true;
    for (auto& [widget, e] : editors_) {
        if (!e.opening.IsOpen() || !widget->isVisible()) continue;
        // A box emptied by its own refusal holds nothing the user typed: the cell keeps its text.
        if (widget == held_ && held_->text().isEmpty()) {
            Close(widget);
            continue;
        }
        if (!Finish(widget, e, true)) good = false;
    }
    return good;
}

void CellEditors::CloseAll() {
    for (auto& [widget, e] : editors_) Close(widget);
}

bool CellEditors::HoldsFocus() const {
    if (!held_ || !held_->isVisible()) return false;
    auto it = editors_.find(held_);
    return it != editors_.end() && it->second.opening.IsOpen();
}

void CellEditors::ReturnFocus() {
    if (HoldsFocus()) held_->setFocus(Qt::OtherFocusReason);
}

// ---- cells and messages ----

std::string CellEditors::CellText(int row, int col) const { return d_.MFG.TextMatrix(row, col); }

void CellEditors::WriteCell(int row, int col, const std::string& text) {
    // With what the image ties to the cell: a tone's rival, CT DEV, the second receiver's SEC FREQ.
    StoreEdit(d_, row, col, text);
}

CellContext CellEditors::Context() const {
    CellContext c = CellContextOf(d_);
    host_.CompleteTexts(c);
    return c;
}

void CellEditors::Say(const std::string& message, bool now) {
    QWidget* parent = qobject_cast<QWidget*>(w_.TxtTxFreq->parentWidget());
    // Language texts keep their carriage returns; Qt breaks lines at '\n'.
    const QString text = QString::fromStdString(message).replace('\r', '\n');
    auto show = [text, parent] { ui::MsgBox(text, ui::MsgButtons::Ok, ui::MsgIcon::None, QString(), parent); };
    // From inside a focus change a modal box would run its own event loop in the middle of it.
    if (now)
        show();
    else
        QTimer::singleShot(0, this, show);
}

void CellEditors::AdvanceFrom(int row, int col) {
    host_.MoveToCell(row, col + 1);
    host_.MFG_Click();
}

// ---- events ----

bool CellEditors::Event(QObject* watched, QEvent* event) {
    Editor* e = Find(watched);
    if (!e || !e->opening.IsOpen()) return false;
    if (IsEnter(event)) {
        if (e->kind == Kind::CustomTone || e->kind == Kind::Combo) return false; // Enter does nothing special
        if (auto* list = qobject_cast<QListWidget*>(watched)) {
            if (list->currentRow() >= 0) OnChosen(list, list->currentRow());
        } else {
            OnEnter(static_cast<QLineEdit*>(watched), *e);
        }
        return true;
    }
    if (event->type() == QEvent::FocusOut && EndsEditing(static_cast<QFocusEvent*>(event)->reason())) {
        auto* combo = qobject_cast<QComboBox*>(watched);
        if (combo && combo->view() && combo->view()->isVisible()) return false; // its own drop-down
        OnFocusLost(static_cast<QWidget*>(watched), *e);
    }
    return false;
}

CellCommit CellEditors::CommitText(QLineEdit* box, Editor& e, bool now) {
    const int row = e.opening.Row(), col = e.opening.Col();
    CellCommit c = e.rule(CellText(row, col), box->text().toStdString());
    if (c.Accepted) WriteCell(row, col, c.Text);
    if (c.Message) Say(*c.Message, now);
    return c;
}

void CellEditors::OnEnter(QLineEdit* box, Editor& e) {
    const int row = e.opening.Row(), col = e.opening.Col();
    CellCommit c = CommitText(box, e, true);
    switch (e.kind) {
    case Kind::Frequency:
        // A value the cell keeps comes back into the box; any other refusal empties it.
        if (c.Result == kCommitKept) {
            box->setText(QString::fromStdString(c.Text));
            box->selectAll();
        } else {
            box->clear();
        }
        break;
    case Kind::CtDev:
        box->setText(kCtDevBoxText);
        break;
    case Kind::Power:
        box->setText(kPowerBoxText);
        break;
    default:
        break;
    }
    const bool good = e.kind == Kind::Name ? c.Accepted : c.Result >= 1;
    if (!good) return; // the box stays open with the focus
    Close(box);
    if (EnterMovesOn(col)) AdvanceFrom(row, col);
}

void CellEditors::OnFocusLost(QWidget* w, Editor& e) { Finish(w, e, false); }

bool CellEditors::Finish(QWidget* w, Editor& e, bool now) {
    auto* box = qobject_cast<QLineEdit*>(w);
    bool good = true;
    switch (e.kind) {
    case Kind::Frequency: {
        CellCommit c = CommitText(box, e, now);
        box->clear();
        if (c.Result >= 1) break;
        if (c.Result == kCommitKept) { // the cell keeps its value: nothing to wait for
            good = false;
            break;
        }
        // Refused: the box takes the focus back until it gets a good value or a blank.
        held_ = box;
        if (now)
            box->setFocus(Qt::OtherFocusReason);
        else
            QTimer::singleShot(0, this, [this] { ReturnFocus(); });
        return false;
    }
    case Kind::Name:
        good = CommitText(box, e, now).Accepted;
        break;
    case Kind::CustomTone:
        good = CommitText(box, e, now).Accepted;
        box->clear();
        break;
    case Kind::CtDev:
    case Kind::Power:
        // A refused value is dropped; the cell keeps its text and the box closes.
        good = CommitText(box, e, now).Accepted;
        box->setText(e.kind == Kind::Power ? kPowerBoxText : kCtDevBoxText);
        break;
    case Kind::Combo:
        good = CommitCombo(static_cast<QComboBox*>(w), e, now);
        break;
    case Kind::ToneList:
    case Kind::CodeList:
        break; // losing the focus only hides a list
    }
    Close(w);
    return good;
}

bool CellEditors::CommitCombo(QComboBox* combo, Editor& e, bool now) {
    const int row = e.opening.Row(), col = e.opening.Col();
    CellCommit c = e.rule(CellText(row, col), combo->currentText().toStdString());
    // A text that is no item is dropped, as a refused number is; the combo closes all the same.
    if (c.Message) Say(*c.Message, now);
    if (c.Accepted) {
        if (c.ClearAreaPriority) {
            // The area of the cell being committed, whatever was clicked since.
            int area = WhichAreaInt(d_, row);
            if (area >= 1) d_.CurrentArea = area;
            AdjustP(d_, row);
        }
        WriteCell(row, col, c.Text);
    }
    combo->setCurrentIndex(0);
    combo->setEditText(combo->itemText(0));
    return c.Accepted;
}

void CellEditors::OnChosen(QListWidget* list, int index) {
    Editor* e = Find(list);
    if (!e || !e->opening.IsOpen()) return;
    const int row = e->opening.Row(), col = e->opening.Col();
    CellCommit c = e->kind == Kind::ToneList ? CommitCtcssItem(CellText(row, col), index)
                                             : CommitDcsItem(CellText(row, col), index);
    if (c.Accepted) WriteCell(row, col, c.Text);
    e->opening.Close(); // moving the focus to the custom box below writes nothing
    if (c.OpenCustomTone) Show(list == w_.lstCTENC ? w_.txtOtherEnc : w_.txtOtherDec, row, col);
    Close(list);
}

} // namespace vt
