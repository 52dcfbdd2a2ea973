#include "editor/shell/ui/AboutBox.h"

#include "common/ui/ScreenFit.h"
#include "editor/shell/ui/ToolbarIcons.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vt {

AboutBox::AboutBox(const QString& caption, const QString& button, const QStringList& lines, QWidget* parent)
    : QDialog(parent) {
    ui::FitToScreen(this);
    setWindowTitle(caption);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* outer = new QVBoxLayout(this);
    auto* frame = new QFrame(this);
    frame->setObjectName("Frame1");
    frame->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(frame);
    auto* picture = new QLabel(frame);
    picture->setPixmap(ProgramPicture(64));
    picture->setAlignment(Qt::AlignTop);
    row->addWidget(picture);
    auto* texts = new QVBoxLayout;
    for (int i = 0; i < 4; ++i) {
        Label1[i] = new QLabel(lines.value(i), frame);
        Label1[i]->setObjectName(QString("Label1_%1").arg(i));
        if (i == 0) {
            QFont f = Label1[i]->font();
            f.setBold(true);
            f.setPointSizeF(f.pointSizeF() * 1.3);
            Label1[i]->setFont(f);
        }
        texts->addWidget(Label1[i]);
    }
    row->addLayout(texts, 1);
    outer->addWidget(frame);
    Command1 = new QPushButton(button, this);
    Command1->setObjectName("Command1");
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    outer->addLayout(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutBox::Command1_Click() {
    hide(); // ends the modal display; the box stays loaded for the next time
    setResult(QDialog::Accepted);
}

} // namespace vt
