#pragma once
// Where a library asked for by its bare name is looked for, in order: the folders of LD_LIBRARY_PATH (an
// empty element is skipped, not taken as the current folder), the system's library folders (those of the
// loader's configuration, then its defaults), and the program's own library folders last, so that a
// library installed for the system wins over the one shipped with the program. The program's own folders
// are those of its RUNPATH: the build folder in a build, ../lib/tarvex beside bin/ once installed.

#include <string>
#include <string_view>
#include <vector>

std::vector<std::string> LibrarySearchPath();
// The same order from given parts; a folder named twice is searched where it first appears.
std::vector<std::string> LibrarySearchPath(std::string_view libraryPathVariable,
                                           const std::vector<std::string>& systemFolders,
                                           const std::vector<std::string>& programFolders);
// The folders listed by the loader's configuration file (includes followed), then its default folders.
std::vector<std::string> SystemLibraryFolders(const std::string& configurationFile = "/etc/ld.so.conf");
// The folder of the running program's executable; empty when it cannot be told.
std::string ProgramFolder();
// The folders of the running program's RUNPATH (or, without one, its RPATH), $ORIGIN made its folder.
std::vector<std::string> ProgramLibraryFolders();
// Whether the file lies in one of the program's own library folders (however the path is spelt).
bool IsInProgramLibraryFolder(const std::string& file);
