#include "editor/settings/ui/Frm_Default.h"

#include "common/ui/ScreenFit.h"
#include "common/ui/WidgetBuild.h"
#include "editor/dataset/EditorData.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace vt {

namespace {
using ui::Px;
using ui::PlaceTwips;
} // namespace

Frm_Default::Frm_Default(EditorData& data, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), d_(data) {
    setObjectName("Frm_Default");
    ui::FitToScreen(this);
    setWindowTitle("Default Group Or Channel");
    setFixedSize(Px(5730), Px(1800));
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName("Frame1");
    PlaceTwips(Frame1, 120, 120, 5535, 1215);
    auto row = [this](QLabel*& label, QComboBox*& list, const char* labelName, const char* listName, int top) {
        label = new QLabel(Frame1);
        label->setObjectName(labelName);
        PlaceTwips(label, 240, top, 3960 - 240 - 120, 300);
        list = new QComboBox(Frame1);
        list->setObjectName(listName);
        list->setEditable(false); // only listed positions can be stored
        list->setGeometry(Px(3960), Px(top) - 2, Px(1095), Px(300) + 4);
        list->setMaxVisibleItems(12);
        label->hide();
        list->hide();
    };
    row(Label1, ComboDArea, "Label1", "ComboDArea", 240);
    row(Label2, ComboDCh, "Label2", "ComboDCh", 720);
    Command1 = new QPushButton("OK", this);
    Command1->setObjectName("Command1");
    Command1->setGeometry(Px(4440), Px(1440) - 4, Px(1215), Px(255) + 8);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    record_ = d_.RadioOption();
    ask_ = AskDefaults(record_);
    // The lists open on their first item; a stored default is not preselected.
    if (ask_.code & kAskArea) {
        for (int i = 1; i <= ask_.areas; ++i) ComboDArea->addItem(QString::number(i));
        ComboDArea->setCurrentIndex(0);
        Label1->show();
        ComboDArea->show();
    }
    if (ask_.code & kAskChannel) {
        for (int i = 1; i <= ask_.channels; ++i) ComboDCh->addItem(QString::number(i));
        ComboDCh->setCurrentIndex(0);
        Label2->show();
        ComboDCh->show();
    }
    LoadLanguage();
}

void Frm_Default::LoadLanguage() {
    const LanguageTexts& lang = d_.Lang;
    auto text = [&lang](int i) { return QString::fromStdString(lang.Text("Fdefault_Interface", i)); };
    setWindowTitle(text(1));
    Frame1->setTitle(text(2));
    Label1->setText(text(3));
    Label2->setText(text(4));
}

void Frm_Default::Command1_Click() {
    if (ask_.code != 0) {
        std::string stored = StoreDefaults(record_, ComboDArea->currentIndex(), ComboDCh->currentIndex());
        // An unchanged choice is no edit; a new one must not be lost at exit.
        d_.SetRadioOption(stored);
    }
    accept();
}

void RunDefaultBeforeWrite(EditorData& data, QWidget* parent) {
    if (JudgeDefault(data.RadioOption()) == 0) return;
    Frm_Default dialog(data, parent);
    dialog.exec();
}

} // namespace vt
