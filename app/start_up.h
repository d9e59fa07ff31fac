#pragma once
// Form_Load: the page-size default by screen width, the locked build commands, the
// window-mode question, and the search folder and output page in the program folder.

#include "platform/platform.h"

namespace tavlo {

inline constexpr std::string_view kWindowModeQuestion = "Si desidera la Versione Semplificata (Si) o Completa (No) ";

void Form_Load(Platform& p);

} // namespace tavlo
