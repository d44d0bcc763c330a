#pragma once
// The program's secondary windows, created at start-up and shown modally from
// the main window's menu and buttons. Null until start-up has created them.

class QDialog;

namespace quoddle {

extern QDialog* fm_apropos;
extern QDialog* fm_appli;

} // namespace quoddle
