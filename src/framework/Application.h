#pragma once
// Application-wide settings: the dialog colours (light grey background, black text) for every dialog and
// panel, drawn by Fusion with check boxes and radio buttons measured as the dialog templates expect, and the
// numbers' format.

class QApplication;

void SetDialogColours(QApplication& app);

// Numbers are written and read in the C library's format, with a point, whatever the desktop's locale
// (which Qt installs for the whole process, the driver's code included). Letters stay the user's.
void UseCNumberFormat();
