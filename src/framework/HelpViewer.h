#pragma once
// The help engine: opens a help file installed beside the program at its contents, in one help window.

#include <string>

class QWidget;

namespace framework
{
// Shows the contents of the help file (HTML) beside the program; when the file cannot be read, says so
// in a message box and returns false.
bool ShowHelpContents(QWidget* pOwner, const std::string& helpFileName);
} // namespace framework
