#pragma once
// The ten dialog templates of the program.

#include "framework/DialogTemplate.h"

#include <array>
#include <vector>

namespace res
{
// The arming sources, in the order of the Arm template's source lists: a list item's index is its index here.
inline constexpr std::array<const char*, 12> kArmSources{
    "EXT", "IMM", "BUS", "HOLD", "TTLT0", "TTLT1", "TTLT2", "TTLT3", "TTLT4", "TTLT5", "TTLT6", "TTLT7"};

const SDialogTemplate* FindDialogTemplate(int nId); // null for an id that is not a template
const std::vector<const SDialogTemplate*>& AllDialogTemplates();
} // namespace res
