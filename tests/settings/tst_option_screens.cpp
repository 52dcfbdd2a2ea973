// Pictures of the option, default and area-name dialogs in both languages, for a look by eye;
// the checks here only make sure each picture shows its texts in place.
#include "option_dialog_helpers.h"

#include "editor/settings/core/RadioOptionRecord.h"
#include "editor/settings/ui/Frm_Areaname.h"
#include "editor/settings/ui/Frm_Default.h"
#include "editor/settings/ui/Frm_Option.h"
#include "editor/dataset/LngFile.h"
#include "tests/support/qt/Screenshots.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace vt;

namespace {
QString ShotDir() { return test::ScreenshotDir(); }

void Save(QWidget& w, const QString& name) {
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QImage img = w.grab().toImage();
    QVERIFY(!img.isNull());
    QVERIFY(img.save(ShotDir() + "/" + name + ".png"));
}

// No label is cut off: each one's text fits the width its layout gave it.
void ExpectLabelsFit(QWidget& w) {
    for (QLabel* l : w.findChildren<QLabel*>()) {
        if (!l->isVisible() || l->text().isEmpty()) continue;
        QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->width() + 1, qPrintable(l->text()));
    }
}
} // namespace

class OptionScreens : public QObject {
    Q_OBJECT

    void Shots(const char* file, const QString& suffix) {
        EditorData data;
        QCOMPARE(LoadLngFile(data.Lang, std::string(VELTRA_SOURCE_DIR) + "/data/Language/" + file), LngLoad::Loaded);
        RadioOptionRecord r = RadioOptionRecord::Defaults();
        r[kOptNumberArea] = "3";
        r[kOptChInArea] = "66";
        r[kOptComboF2] = "2";
        r[kOptVolumechange] = "0";
        r[kOptAreachange] = "0";
        r[kOptChannelchange] = "0";
        data.SetRadioOption(r.Join());
        data.SetAreaName(2, "HARBOUR");

        Frm_Option option(data);
        QVERIFY(!option.windowTitle().isEmpty());
        QVERIFY(!option.lbNa->text().isEmpty() && !option.Label34->text().isEmpty());
        Save(option, "option_" + suffix);
        ExpectLabelsFit(option);

        Frm_Default def(data);
        QVERIFY(!def.Label1->text().isEmpty() && !def.Label2->text().isEmpty());
        Save(def, "default_" + suffix);
        ExpectLabelsFit(def);

        Frm_Areaname area(data);
        QVERIFY(!area.windowTitle().isEmpty());
        Save(area, "areaname_" + suffix);
    }

private slots:
    void english() { Shots("English.lng", "en"); }
    void chinese() { Shots("Chinese.lng", "zh"); }
};

QTEST_MAIN(OptionScreens)
#include "tst_option_screens.moc"
