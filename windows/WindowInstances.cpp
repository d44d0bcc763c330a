#include "WindowInstances.hpp"

namespace quoddle {

QDialog* fm_apropos = nullptr;
QDialog* fm_appli = nullptr;

} // namespace quoddle
