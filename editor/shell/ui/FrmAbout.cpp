#include "editor/shell/ui/FrmAbout.h"

namespace vt {

FrmAbout::FrmAbout(QWidget* parent)
    : AboutBox(QString::fromUtf8("关于 Moravel"), QString::fromUtf8("确定(&O)"),
               {QString::fromUtf8("Veltra 数据编辑器"), QString::fromUtf8("版本 1.0"),
                QString::fromUtf8("多频段电台的信道与选项编程软件"), QString::fromUtf8("版权所有，保留一切权利。")},
               parent) {
    setObjectName("FrmAbout");
}

} // namespace vt
