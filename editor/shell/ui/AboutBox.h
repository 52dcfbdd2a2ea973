#pragma once
// A small fixed About window: four lines of text and one button that hides the box.
#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;

namespace vt {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(const QString& caption, const QString& button, const QStringList& lines, QWidget* parent);

    QLabel* Label1[4] = {};
    QPushButton* Command1 = nullptr;
    void Command1_Click();
};

} // namespace vt
