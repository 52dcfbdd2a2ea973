// Menus, toolbar and the commands that only open a window or end the program.
#include "editor/shell/ui/Frm_Radio.h"

#include "editor/dataset/GridRules.h"
#include "editor/shell/ui/FrmAbout.h"
#include "editor/shell/ui/FrmAbout2.h"
#include "editor/shell/ui/ToolbarIcons.h"
#include "editor/shell/ui/Twips.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace vt {

namespace {
QAction* Item(QMenu* menu, QAction*& member, const char* name, const char* caption, QKeySequence key = {}) {
    member = menu->addAction(caption);
    member->setObjectName(name);
    if (!key.isEmpty()) member->setShortcut(key);
    return member;
}

QMenu* Submenu(QMenu* parent, QMenu*& member, const char* name, const char* caption) {
    member = parent->addMenu(caption);
    member->setObjectName(name);
    return member;
}
} // namespace

void Frm_Radio::BuildMenus() {
    QMenuBar* bar = menuBar();
    auto top = [&](QMenu*& m, const char* name, const char* caption) {
        m = bar->addMenu(caption);
        m->setObjectName(name);
    };
    auto on = [this](QAction* a, void (Frm_Radio::*handler)()) {
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };

    top(Menu_File, "Menu_File", "&File");
    on(Item(Menu_File, Menu_New, "Menu_New", "New", QKeySequence("Ctrl+N")), &Frm_Radio::Menu_New_Click);
    on(Item(Menu_File, Menu_Open, "Menu_Open", "Open", QKeySequence("Ctrl+O")), &Frm_Radio::Menu_Open_Click);
    connect(Item(Menu_File, Menu_Save, "Menu_Save", "Save", QKeySequence("Ctrl+S")), &QAction::triggered, this,
            [this] { Menu_Save_Click(); });
    on(Item(Menu_File, Menu_Print, "Menu_Print", "Print", QKeySequence("Ctrl+P")), &Frm_Radio::Menu_Print_Click);
    on(Item(Menu_File, Menu_PrintFile, "Menu_PrintFile", "Print To File"), &Frm_Radio::Menu_PrintFile_Click);
    on(Item(Menu_File, Menu_Exit, "Menu_Exit", "Exit"), &Frm_Radio::Menu_Exit_Click);

    top(Menu_Option, "Menu_Option", "&Option");
    on(Item(Menu_Option, Menu_RadioOption, "Menu_RadioOption", "&Radio Option"), &Frm_Radio::Menu_RadioOption_Click);
    on(Item(Menu_Option, Menu_AreaName, "Menu_AreaName", "&Areas name"), &Frm_Radio::Menu_AreaName_Click);
    on(Item(Menu_Option, Menu_5Tone, "Menu_5Tone", "&5Tone"), &Frm_Radio::Menu_5Tone_Click);
    Submenu(Menu_Option, Menu_Language, "Menu_Language", "Language");
    on(Item(Menu_Language, Menu_English, "Menu_English", "English"), &Frm_Radio::Menu_English_Click);
    on(Item(Menu_Language, Menu_Chinese, "Menu_Chinese", "Chinese"), &Frm_Radio::Menu_Chinese_Click);
    Menu_English->setCheckable(true);
    Menu_Chinese->setCheckable(true);
    Menu_English->setChecked(true);

    top(Menu_Transfer, "Menu_Transfer", "&Transfer");
    on(Item(Menu_Transfer, Menu_WriteCHData, "Menu_WriteCHData", "&Program"), &Frm_Radio::Menu_WriteCHData_Click);
    on(Item(Menu_Transfer, Menu_ReadCHData, "Menu_ReadCHData", "&Read"), &Frm_Radio::Menu_ReadCHData_Click);
    on(Item(Menu_Transfer, Menu_SetUp, "Menu_SetUp", "SetUp"), &Frm_Radio::Menu_SetUp_Click);
    on(Item(Menu_Transfer, Menu_COMPort, "Menu_COMPort", "&COM Port"), &Frm_Radio::Menu_COMPort_Click);

    top(Menu_Band, "Menu_Band", "&Band");
    Submenu(Menu_Band, Menu_Band_HF, "Menu_Band_HF", "HF");
    Submenu(Menu_Band, Menu_Band_VHF, "Menu_Band_VHF", "VHF");
    Submenu(Menu_Band, Menu_Band_UHF, "Menu_Band_UHF", "UHF");
    struct BandItem {
        QMenu* menu;
        const char* name;
        void (Frm_Radio::*handler)();
    } const bands[kBandCount] = {
        {Menu_Band_HF, "Menu_Band_HF_1", &Frm_Radio::Menu_Band_HF_1_Click},
        {Menu_Band_HF, "Menu_Band_HF_2", &Frm_Radio::Menu_Band_HF_2_Click},
        {Menu_Band_HF, "Menu_Band_HF_3", &Frm_Radio::Menu_Band_HF_3_Click},
        {Menu_Band_VHF, "Menu_Band_VHF_1", &Frm_Radio::Menu_Band_VHF_1_Click},
        {Menu_Band_VHF, "Menu_Band_VHF_2", &Frm_Radio::Menu_Band_VHF_2_Click},
        {Menu_Band_UHF, "Menu_Band_UHF_1", &Frm_Radio::Menu_Band_UHF_1_Click},
        {Menu_Band_UHF, "Menu_Band_UHF_2", &Frm_Radio::Menu_Band_UHF_2_Click},
        {Menu_Band_UHF, "Menu_Band_UHF_3", &Frm_Radio::Menu_Band_UHF_3_Click},
    };
    for (int b = 0; b < kBandCount; ++b) {
        QAction*& a = Menu_Band_Item[static_cast<size_t>(b)];
        on(Item(bands[b].menu, a, bands[b].name, BandRange(b).c_str()), bands[b].handler);
        a->setCheckable(true);
    }

    top(Help, "Help", "&Help");
    on(Item(Help, Menu_About, "Menu_About", "About Harrier"), &Frm_Radio::Menu_About_Click);
    on(Item(Help, mnuTRxVol, "mnuTRxVol", "TRxVoltage"), &Frm_Radio::mnuTRxVol_Click);
}

void Frm_Radio::BuildToolbar() {
    Toolbar1 = addToolBar("Toolbar1");
    Toolbar1->setObjectName("Toolbar1");
    Toolbar1->setMovable(false);
    Toolbar1->setIconSize(QSize(Px(375) - 6, Px(324) - 6));
    struct Button {
        QToolButton* Frm_Radio::*member;
        const char* name;
        ToolbarPicture picture;
        const char* tip;
        void (Frm_Radio::*handler)();
        bool active;
        bool gapBefore;
    } const buttons[] = {
        {&Frm_Radio::NewBtn, "NewBtn", ToolbarPicture::New, "New", &Frm_Radio::NewBtn_Click, true, false},
        {&Frm_Radio::OpenBtn, "OpenBtn", ToolbarPicture::Open, "Open", &Frm_Radio::OpenBtn_Click, true, false},
        {&Frm_Radio::SaveBtn, "SaveBtn", ToolbarPicture::Save, "Save", &Frm_Radio::SaveBtn_Click, true, false},
        {&Frm_Radio::OptionBtn, "OptionBtn", ToolbarPicture::Option, "Radio Option", &Frm_Radio::OptionBtn_Click, false,
         true},
        {&Frm_Radio::AreaBtn, "AreaBtn", ToolbarPicture::Area, "", &Frm_Radio::AreaBtn_Click, false, false},
        {&Frm_Radio::AdBtn, "AdBtn", ToolbarPicture::Dialer, "Auto Dialor", &Frm_Radio::AdBtn_Click, false, false},
        {&Frm_Radio::SetupBtn, "SetupBtn", ToolbarPicture::Setup, "", &Frm_Radio::SetupBtn_Click, true, true},
        {&Frm_Radio::ReadBtn, "ReadBtn", ToolbarPicture::Read, "Read CH Data From Radio", &Frm_Radio::ReadBtn_Click,
         true, false},
        {&Frm_Radio::WriteBtn, "WriteBtn", ToolbarPicture::Write, "Write CH Data To Radio", &Frm_Radio::WriteBtn_Click,
         true, false},
    };
    for (const auto& b : buttons) {
        if (b.gapBefore) Toolbar1->addSeparator();
        auto* w = new QToolButton(Toolbar1);
        w->setObjectName(b.name);
        w->setIcon(ToolbarIcon(b.picture));
        w->setToolTip(b.tip);
        w->setFixedSize(Px(375), Px(324));
        w->setAutoRaise(true);
        // The options, area and 5-tone buttons are never active; their menu items are.
        w->setEnabled(b.active);
        auto handler = b.handler;
        connect(w, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
        Toolbar1->addWidget(w);
        this->*(b.member) = w;
    }
}

void Frm_Radio::NewBtn_Click() { Menu_New_Click(); }
void Frm_Radio::OpenBtn_Click() { Menu_Open_Click(); }
void Frm_Radio::SaveBtn_Click() { Menu_Save_Click(); }
void Frm_Radio::OptionBtn_Click() { Menu_RadioOption_Click(); }
void Frm_Radio::AreaBtn_Click() { Menu_AreaName_Click(); }
void Frm_Radio::AdBtn_Click() { Menu_5Tone_Click(); }
void Frm_Radio::SetupBtn_Click() { Menu_SetUp_Click(); }
void Frm_Radio::ReadBtn_Click() { Menu_ReadCHData_Click(); }
void Frm_Radio::WriteBtn_Click() { Menu_WriteCHData_Click(); }
void Frm_Radio::lbcurArea_DblClick() { Menu_AreaName_Click(); }

void Frm_Radio::Menu_Exit_Click() { close(); }

void Frm_Radio::Menu_About_Click() {
    // Each box stays loaded after its OK hides it.
    if (d_.LangCode == "eng") {
        if (!aboutEng_) aboutEng_ = std::make_unique<FrmAbout2>(this);
        aboutEng_->exec();
    } else {
        if (!aboutChs_) aboutChs_ = std::make_unique<FrmAbout>(this);
        aboutChs_->exec();
    }
}

} // namespace vt
