#pragma once
// Menu 130, the frame's menu: System, Panels, Help.

#include "framework/MenuBar.h"

namespace res
{
const SMenuTemplate& MainMenu();
} // namespace res
