#pragma once
// The help engine: opens a help file installed with the program at its contents, in one help window.

#include <string>

class QWidget;

// Shows the contents of the help file (HTML) beside the program or, for an installed program, in
// ../share/<program name>/; when the file cannot be read, says so in a message box and returns false.
bool ShowHelpContents(QWidget* pOwner, const std::string& helpFileName);
