#pragma once
// Application-wide look: the dialog colours (light grey background, black text) for every dialog and panel.

class QApplication;

namespace framework
{
void SetDialogColours(QApplication& app);
} // namespace framework
