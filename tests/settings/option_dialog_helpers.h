#pragma once
// Shared by the option, default and area-name dialog tests: the data set's listener, recording
// the rules the dialogs ran and the names they confirmed, in order.
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

#include <QComboBox>
#include <QTest>

#include <string>
#include <vector>

namespace vt::testing {

class RecordingMain : public DataSetListener {
public:
    explicit RecordingMain(EditorData& d) : data(d) { data.SetListener(this); }
    ~RecordingMain() override { data.SetListener(nullptr); }
    EditorData& data;
    std::vector<std::string> calls;
    std::string optionSeenFirst; // RadioOption when the first notice came

    void Changed(DataSetChange what) override {
        switch (what) {
        case DataSetChange::ScanLetters: note("UpdateScan"); break;
        case DataSetChange::AreaShape: note("AdjustArea_Marnet"); break;
        case DataSetChange::PriorityFlags: note("ValidateP"); break;
        case DataSetChange::TrunkFlags: note("ValidateT"); break;
        case DataSetChange::AreaNumbers: note("UpdateAreaNo"); break;
        case DataSetChange::AreaNames: note("UpdateAreaName"); break;
        case DataSetChange::SecondReceiver: note("AddSecondRec"); break;
        }
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
