#pragma once
// The ten dialog templates of the program.

#include "framework/DialogTemplate.h"

#include <vector>

namespace res
{
const SDialogTemplate* FindDialogTemplate(int nId); // null for an id that is not a template
const std::vector<const SDialogTemplate*>& AllDialogTemplates();
} // namespace res
