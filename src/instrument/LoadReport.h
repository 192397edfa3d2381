#pragma once
// What start-up tells the operator about the libraries the session loaded: the driver file in use, and
// whether it is the simulated counter shipped beside the program, the entry points the driver lacks, or why
// a library that was found could not be loaded (the loader's own text). The program prints the lines on
// standard error; a failure also gets a message box.

#include <string>
#include <vector>

class CInstrumentSession;

// One text a line, as the session's loading left it.
std::vector<std::string> LoadReport(const CInstrumentSession& session);
// Why a library found on the search path could not be loaded; empty when none failed so. A library that
// is simply absent is not a failure: the program then runs non-live as it always has.
std::string LoadFailure(const CInstrumentSession& session);
