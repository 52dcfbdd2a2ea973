// A data file or a radio image holding values the editor cannot keep: Open and the radio read
// show one message that lists every replaced value, and what is then saved opens without one.
#include "common/TextUtil.h"
#include "common/ui/FileDialog.h"
#include "common/ui/MessageBox.h"
#include "editor/codec/ImageLayout.h"
#include "editor/dataset/EditorData.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "tests/support/ProgramHome.h"
#include "tests/support/qt/DialogAnswers.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <memory>

using namespace vt;

class OpenRepairsTest : public QObject {
    Q_OBJECT
    test::DialogAnswers dialogs;
    ui::ScriptedMessageBox& boxes = dialogs.boxes;
    ui::ScriptedFileDialog& files = dialogs.files;
    std::unique_ptr<test::ProgramHome> home;
    std::unique_ptr<EditorData> data;
    std::unique_ptr<Frm_Radio> w;

    QString Path(const char* name) const { return test::QPath(home->File(name)); }

    // The shipped default image with a resume scan time of 18.1 s and channel 3 on an Rx word
    // above the last one the radio stores.
    QByteArray DamagedImage(int size) {
        QFile f(QString(VELTRA_APP_DIR) + "/resource/default.Tbl");
        if (!f.open(QIODevice::ReadOnly)) return {};
        QByteArray img = f.readAll().left(size);
        img[0x0A] = char(181);
        const size_t rx = layout::ChannelSlot(3) + layout::ch::RxPllWord;
        img[int(rx)] = char(0xFF);
        img[int(rx + 1)] = char(0xFF);
        return img;
    }
    void WriteBytes(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), qint64(bytes.size()));
    }
    void ExpectTheOneListingBox() {
        QCOMPARE(boxes.shown().size(), size_t(1));
        const QString text = boxes.shown()[0].text;
        QVERIFY(text.startsWith("These values of the data could not be kept and were replaced:"));
        QVERIFY2(text.contains("Resume scan time: \"18.1\" -> \"18\""), qPrintable(text));
        QVERIFY2(text.contains("Rx Freq (channel 3): \"388.2875\" -> \"\""), qPrintable(text));
        QCOMPARE(boxes.shown()[0].buttons, ui::MsgButtons::Ok);
        QCOMPARE(Split(data->RadioOption())[6], std::string("18"));
        QCOMPARE(data->MFG.TextMatrix(3, 2), std::string(""));
        QVERIFY(!data->IsModified());
    }

private slots:
    void init() {
        // A program folder of its own, so that the exchange files of a read stay here.
        home = std::make_unique<test::ProgramHome>("veltra-open-repairs");
        test::CopyProgramTables(home->Path(), {"resource", "Language"});
        dialogs.Reset();
        data = std::make_unique<EditorData>();
        w = std::make_unique<Frm_Radio>(*data);
        boxes.clear();
    }
    void cleanup() {
        w.reset();
        data.reset();
        home.reset();
    }

    void openListsTheReplacedValuesOnceAndTheSavedFileOpensQuietly() {
        const QString path = Path("damaged.dat");
        WriteBytes(path, DamagedImage(16001));
        files.answer(path);
        w->Menu_Open_Click();
        ExpectTheOneListingBox();

        boxes.clear();
        const QString saved = Path("saved.dat");
        files.answer(saved);
        QVERIFY(w->Menu_Save_Click());
        QVERIFY(boxes.shown().empty());
        const std::string option = data->RadioOption();
        files.answer(saved);
        w->Menu_Open_Click();
        QVERIFY(boxes.shown().empty());
        QCOMPARE(data->RadioOption(), option);
    }

    void openingTheShippedDefaultImageSaysNothing() {
        files.answer(QString(VELTRA_APP_DIR) + "/resource/default.Tbl");
        w->Menu_Open_Click();
        QVERIFY(boxes.shown().empty());
    }

    void aForeignFileGetsOneBoxOfBoundedLength() {
        QByteArray noise(16001, '\0');
        quint32 x = 12345;
        for (char& b : noise) {
            x = x * 1103515245u + 12345u;
            b = char(x >> 24);
        }
        const QString path = Path("foreign.dat");
        WriteBytes(path, noise);
        files.answer(path);
        w->Menu_Open_Click();
        QCOMPARE(boxes.shown().size(), size_t(1));
        const QStringList lines = boxes.shown()[0].text.split('\n');
        QCOMPARE(lines.size(), 27); // heading, 25 replacements, the count of the others
        QVERIFY2(lines.last().endsWith(" more values were replaced as well."), qPrintable(lines.last()));
        // What it opened into saves.
        boxes.clear();
        files.answer(Path("foreign-saved.dat"));
        QVERIFY(w->Menu_Save_Click());
        QVERIFY(boxes.shown().empty());
    }

    void aRadioReadListsThemToo() {
        WriteBytes(Path("rbuffer.bin"), DamagedImage(16000));
        WriteBytes(Path("Msg.sys"), QByteArray("\x80\x01\x00", 3));
        data->TransferMode = 0;
        w->ReadTimer_Timer();
        ExpectTheOneListingBox();
    }
};

QTEST_MAIN(OpenRepairsTest)
#include "tst_open_repairs.moc"
