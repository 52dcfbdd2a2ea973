// Reading and writing the radio through the transfer tool, and the COM-port choice.
#include "editor/shell/ui/Frm_Radio.h"

namespace vt {

void Frm_Radio::Menu_WriteCHData_Click() {} // filled by the transfer hand-off

void Frm_Radio::Menu_ReadCHData_Click() {} // filled by the transfer hand-off

void Frm_Radio::ReadTimer_Timer() {} // filled by the transfer hand-off: one poll of Msg.sys

int Frm_Radio::HasChannelData() { return 0; } // filled by the transfer hand-off

void Frm_Radio::WriteMsgFile() {} // filled by the transfer hand-off

void Frm_Radio::ReadMsgFile() {} // filled by the transfer hand-off

void Frm_Radio::EndTransfer() {} // filled by the transfer hand-off

void Frm_Radio::Menu_COMPort_Click() {} // filled by the COM-port dialog

} // namespace vt
