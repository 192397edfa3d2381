#pragma once
// The RUNPATH of an ELF file, read from the file as the loader reads it, and the folders it names. The
// program's RUNPATH says where its own libraries lie: $ORIGIN in a build, $ORIGIN/../lib/tarvex installed.

#include <string>
#include <string_view>
#include <vector>

// The DT_RUNPATH text of an ELF file of the running program's class, or its DT_RPATH when it has no
// RUNPATH; empty when it has neither or cannot be read.
std::string RunPathOf(const std::string& file);
// The folders of a RUNPATH text: split at colons, $ORIGIN and ${ORIGIN} replaced by the program's folder,
// each made lexically normal ("/p/bin/../lib" is "/p/lib"). Without a program folder, a folder that names
// $ORIGIN is left out.
std::vector<std::string> RunPathFolders(std::string_view runPath, const std::string& programFolder);
