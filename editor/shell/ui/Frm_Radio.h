#pragma once
// The main editor window: the channel grid MFG, its menus and toolbar, the area and band labels.
// The commands are split over several files by subject:
//   Frm_Radio.cpp           start-up, close prompt, notices of the data set, areas, bands, SCAN, language
//   Frm_Radio_Menus.cpp     menus, toolbar, window commands, About
//   Frm_Radio_Files.cpp     New, Open, Save, Print, Print To File
//   Frm_Radio_Transfer.cpp  reading and writing the radio, COM port
//   Frm_Radio_Dialogs.cpp   the settings and service windows the menus open
//   Frm_Radio_Cells*.cpp    the grid click and the cell editors
// Controls, texts and procedures keep the window's own names. Those the tests drive (the
// commands, the menu items and buttons they click, the grid, the cell editors and the texts they
// compare) are public; what only the window's own files use is private. The window listens to the
// data set: the grid model follows every cell write, and a replaced data set (New, Open, a read)
// gets its SCAN choices shown anew.
#include "editor/codec/ImageCodec.h"
#include "editor/dataset/EditorData.h"

#include <QMainWindow>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTableView;
class QTimer;
class QToolBar;
class QToolButton;

namespace vt {

class GridModel;
class RadioGridHost;
class FrmAbout;
class FrmAbout2;

// What the old common dialog kept between uses (the file commands and the text export use it).
struct CommonDialogState {
    QString FileName;
    QString Filter;
    QString InitDir;
};

class Frm_Radio : public QMainWindow, public DataSetListener {
    Q_OBJECT
public:
    // Runs the start-up (Form_Load); the window is shown by the caller.
    explicit Frm_Radio(EditorData& data, QWidget* parent = nullptr);
    ~Frm_Radio() override;

    // ---- DataSetListener: the view follows what the rules and the dialogs changed
    void Changed(DataSetChange what) override;
    void DataSetReplaced() override;

    // The SCAN rule on the data set, its choices shown.
    void UpdateScan();

    // ---- further public procedures
    std::string WhichArea(int row);
    int IsTAvailable(int row);
    void AdjustP();
    void ClearAll();                    // Frm_Radio_Files.cpp
    int GetDCSIndex(const std::string& code); // Frm_Radio_Cells*.cpp

    // ---- commands (menu items and toolbar buttons run the same procedures)
    void Menu_New_Click();    // Frm_Radio_Files.cpp
    void Menu_Open_Click();   // Frm_Radio_Files.cpp
    bool Menu_Save_Click();   // Frm_Radio_Files.cpp; true when the data were saved
    void Menu_Print_Click();  // Frm_Radio_Files.cpp
    void Menu_PrintFile_Click(); // Frm_Radio_Files.cpp
    // Area names exist to edit: a valid option record with more than one area.
    bool AreaNamesEditable() const;
    void Menu_5Tone_Click();  // Frm_Radio_Dialogs.cpp
    void Menu_Chinese_Click();
    void Menu_WriteCHData_Click(); // Frm_Radio_Transfer.cpp
    void Menu_ReadCHData_Click();  // Frm_Radio_Transfer.cpp
    void Menu_COMPort_Click();     // Frm_Radio_Transfer.cpp
    void mnuTRxVol_Click();        // Frm_Radio_Dialogs.cpp
    void Command1_Click();         // Frm_Radio_Dialogs.cpp

    // ---- file commands' helpers (Frm_Radio_Files.cpp)
    bool ReadImageFile(const QString& path);
    // Reads the tables (showing their messages) and encodes the data set into MemImage; shows
    // the errors and returns false when it cannot.
    bool EncodeImageOrReport(ImageSource source);
    // Reads the tables and decodes MemImage into the data set (the caller clears it first), then
    // shows the band the decode chose and the values it had to replace.
    void DecodeMemImage(ImageSource source);

    // ---- transfer hand-off (Frm_Radio_Transfer.cpp)
    void ReadTimer_Timer();

    // ---- grid (Frm_Radio_Cells*.cpp)
    void SetMFGCell(int row, int col); // also scrolls it into view
    // The cell's rectangle in the window's coordinates (the editors are laid over it).
    QRect MFGCellRect(int row, int col) const;
    QRect MFGRect() const; // the grid on the window

    // ---- controls
    QTableView* MFG = nullptr;
    GridModel* MFGModel = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* lbArea = nullptr;
    QLabel* lbcurArea = nullptr;
    QLabel* lbBand = nullptr;
    QLabel* Tip = nullptr;
    QPushButton* Command1 = nullptr;
    QTimer* ReadTimer = nullptr;

    QMenu *Menu_File = nullptr, *Menu_Option = nullptr, *Menu_Band = nullptr, *Menu_Band_UHF = nullptr;
    QAction *Menu_New = nullptr, *Menu_Open = nullptr, *Menu_Save = nullptr, *Menu_Print = nullptr,
            *Menu_PrintFile = nullptr, *Menu_Exit = nullptr, *Menu_RadioOption = nullptr, *Menu_AreaName = nullptr,
            *Menu_5Tone = nullptr, *Menu_English = nullptr, *Menu_Chinese = nullptr, *Menu_WriteCHData = nullptr,
            *Menu_ReadCHData = nullptr, *Menu_SetUp = nullptr, *Menu_About = nullptr, *mnuTRxVol = nullptr;
    // Band items 0..7: Menu_Band_HF_1 .. Menu_Band_UHF_3.
    std::array<QAction*, 8> Menu_Band_Item{};

    QToolButton *NewBtn = nullptr, *OpenBtn = nullptr, *SaveBtn = nullptr, *OptionBtn = nullptr, *AreaBtn = nullptr,
                *AdBtn = nullptr, *SetupBtn = nullptr, *ReadBtn = nullptr, *WriteBtn = nullptr;

    // Cell editors, all hidden until a cell is clicked.
    QLineEdit *TxtTxFreq = nullptr, *TxtRxFreq = nullptr, *TxtName1 = nullptr, *TxtName2 = nullptr,
              *txtOtherEnc = nullptr, *txtOtherDec = nullptr, *TxtCTDEV = nullptr, *TxtPower = nullptr;
    QListWidget *lstCTENC = nullptr, *lstCTDEC = nullptr, *lstDCENC = nullptr, *lstDCDEC = nullptr;
    QComboBox *ComboBCLO = nullptr, *ComboSCAN = nullptr, *ComboScan2 = nullptr, *Combo5Tone = nullptr,
              *ComboANI = nullptr, *ComboSelCall = nullptr, *ComboBScan = nullptr;

    // ---- state and texts of the window
    int CurRow = 0, CurCol = 0; // the cell being edited
    QString DefaultTip;
    std::array<QString, 25> ColumnTips; // entry c - 1: tip of grid column c
    QString SaveChangesMsg, OpenFailedMsg, NotNumberMsg, NoChannelOneMsg, BandConfirmMsg, SecondRxOffTip,
        NoEncodeToneTip;

    // A language text as the widgets show it (carriage returns become line breaks).
    QString Lng(const char* section, int index) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class RadioGridHost; // the grid as the cell editors see it (Frm_Radio_Cells.cpp)
    EditorData& d_;
    int gridRow_ = 1, gridCol_ = 1;
    int checkedBand_ = -1; // no band item is checked at start
    bool documentNamed_ = false; // New, Open or Save has named the document in the caption
    std::unique_ptr<FrmAbout> aboutChs_;
    std::unique_ptr<FrmAbout2> aboutEng_;

    // ---- controls and texts only the window's own procedures use
    CommonDialogState CD;
    QMenu *Menu_Language = nullptr, *Menu_Transfer = nullptr, *Menu_Band_HF = nullptr, *Menu_Band_VHF = nullptr,
          *Help = nullptr;
    QAction* Menu_COMPort = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QLineEdit* TxtDECDEV = nullptr;
    QString WindowTitle, BandTipText, RangeInfixMsg, ToneRangeMsg;
    // The full path of the last opened or saved file, or "noname.dat".
    QString DocumentName = "noname.dat";

    // ---- procedures
    void CheckAllCHFrequency();
    void LoadLanguage();
    // The current area's name in its label.
    void UpdateAreaName();
    void Menu_Exit_Click();
    void Menu_RadioOption_Click(); // Frm_Radio_Dialogs.cpp
    void Menu_AreaName_Click();    // Frm_Radio_Dialogs.cpp
    void Menu_English_Click();
    void Menu_SetUp_Click();       // Frm_Radio_Dialogs.cpp
    void Menu_About_Click();
    void Menu_Band_HF_1_Click();
    void Menu_Band_HF_2_Click();
    void Menu_Band_HF_3_Click();
    void Menu_Band_VHF_1_Click();
    void Menu_Band_VHF_2_Click();
    void Menu_Band_UHF_1_Click();
    void Menu_Band_UHF_2_Click();
    void Menu_Band_UHF_3_Click();
    void lbcurArea_DblClick();
    void NewBtn_Click();
    void OpenBtn_Click();
    void SaveBtn_Click();
    void OptionBtn_Click();
    void AreaBtn_Click();
    void AdBtn_Click();
    void SetupBtn_Click();
    void ReadBtn_Click();
    void WriteBtn_Click();

    // File commands' helpers (Frm_Radio_Files.cpp).
    // Save question before New, Open and a read: false when the user cancelled.
    bool SavePrompt();
    void ShowDocumentCaption(const QString& name);
    QString ChooseFile(bool save, const char* filter, const QString& initDir);
    void ConnectTableMessages();

    // Transfer hand-off (Frm_Radio_Transfer.cpp).
    // The request, the start of the tool, then the wait; false (window still shown) when it failed.
    bool StartTool(const char* argument);
    int HasChannelData();
    bool WriteMsgFile(); // false when Msg.sys cannot be written
    bool ReadMsgFile();  // false when Msg.sys cannot be read
    void EndTransfer();
    std::array<uint8_t, 3> MsgBuf{};
    // Counts the tools started, so the end of an earlier tool that outlived its transfer
    // never ends the one running now.
    unsigned TransferRun = 0;

    // Grid and cell editors (Frm_Radio_Cells*.cpp).
    void MFG_Click();
    void MFG_Scroll();
    // Every command that reads the grid first commits the cell editor still open; false when
    // its value was refused (the user has been told and the command stops).
    bool CommitOpenEditor();
    // Why the cell's editor stays shut (CellLockOf), as the tip says it; nullptr when it opens.
    const QString* LockedCellTip(int row, int col) const;
    // The tip of an open cell editor: its column's, or the second receiver's for its Rx.
    QString CellTip(int row, int col) const;
    // Fills the tone and code lists and connects the editors' events; run once by the start-up.
    void SetupCellEditors();
    // Events of the editor controls (the window filters them); true when handled.
    bool CellEditorEvent(QObject* watched, QEvent* event);
    // The grid's current cell in grid coordinates (row 0 headers, column 0 labels).
    int MFGRow() const { return gridRow_; }
    int MFGCol() const { return gridCol_; }
    void SetMFGCol(int col) { SetMFGCell(gridRow_, col); }

    void Form_Load();
    void BuildMenus();
    void BuildToolbar();
    void BuildCentral();
    void BuildGridView(QWidget* parent);
    void BuildCellEditors();
    void SizeToScreen();
    void SetBand(int band);
    // The Band menu's check mark, the band label and the frequency columns' tips for a band the
    // data set already holds.
    void ShowBand(int band);
    // The SCAN column's choices and tip as the data set's ScanChoices give them.
    void ShowScanChoices();
    void BandItemClicked(int band);
    void ShowBandChecks();
    void ShowBandLabel();
    void SwitchLanguage(const char* code);
    void LoadLngFileOrWarn();
    void ApplyColumnWidths();
    void ShowTip(const QString& text);
};

} // namespace vt
