#pragma once
// Application-wide look: the dialog colours (light grey background, black text) for every dialog and panel,
// drawn by Fusion with check boxes and radio buttons measured as the dialog templates expect.

class QApplication;

namespace framework
{
void SetDialogColours(QApplication& app);
} // namespace framework
