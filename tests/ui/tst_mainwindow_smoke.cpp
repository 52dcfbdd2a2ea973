#include "common/ui/MessageBox.h"
#include "editor/shell/core/EditorData.h"
#include "editor/shell/ui/Frm_Radio.h"

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QtTest>

class MainWindowSmoke : public QObject {
    Q_OBJECT
private slots:
    void startsAndRendersSomething() {
        vt::ui::ScriptedMessageBox boxes;
        vt::ui::ScopedMessageBox scope(&boxes);
        vt::EditorData data;
        vt::Frm_Radio w(data);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle().left(11), QString("Data Editor"));
        QImage img = w.grab().toImage();
        QVERIFY(!img.isNull());
        QDir().mkpath(QString(VELTRA_APP_DIR) + "/../screenshots");
        img.save(QString(VELTRA_APP_DIR) + "/../screenshots/mainwindow_smoke.png");
        // Not blank: more than one colour in the picture.
        QRgb first = img.pixel(0, 0);
        bool differs = false;
        for (int y = 0; y < img.height() && !differs; y += 3)
            for (int x = 0; x < img.width() && !differs; x += 3)
                if (img.pixel(x, y) != first) differs = true;
        QVERIFY(differs);
    }
};

QTEST_MAIN(MainWindowSmoke)
#include "tst_mainwindow_smoke.moc"
