#pragma once
// Shared by the option, default and area-name dialog tests: a main window that records the
// callbacks the dialogs make, in order, on a bare data set.
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

#include <QComboBox>
#include <QTest>

#include <string>
#include <vector>

namespace vt::testing {

class RecordingMain : public CoreMainWindow {
public:
    explicit RecordingMain(EditorData& d) : CoreMainWindow(d), data(d) {}
    EditorData& data;
    std::vector<std::string> calls;
    std::string optionSeenFirst; // RadioOption when the first callback ran

    void UpdateScan() override {
        note("UpdateScan");
        CoreMainWindow::UpdateScan();
    }
    void AdjustArea_Marnet() override {
        note("AdjustArea_Marnet");
        CoreMainWindow::AdjustArea_Marnet();
    }
    void ValidateP() override {
        note("ValidateP");
        CoreMainWindow::ValidateP();
    }
    void ValidateT() override {
        note("ValidateT");
        CoreMainWindow::ValidateT();
    }
    void UpdateAreaNo() override {
        note("UpdateAreaNo");
        CoreMainWindow::UpdateAreaNo();
    }
    void UpdateAreaName() override {
        note("UpdateAreaName");
        CoreMainWindow::UpdateAreaName();
    }

private:
    void note(const char* name) {
        if (calls.empty()) optionSeenFirst = data.RadioOption();
        calls.push_back(name);
    }
};

// Picks an item as a click in the open list does: the current item changes, then the list
// reports the user's choice.
inline void PickItem(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// Replaces a line edit's text by typing, one key at a time.
inline void TypeOver(QWidget* box, const QString& text) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        QTest::keyClicks(box, text);
}

} // namespace vt::testing
