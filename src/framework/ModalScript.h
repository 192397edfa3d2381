#pragma once
// The test hook of the modal runner: a script queued here runs inside the next modal dialog's own loop,
// as a person would act on it (type, click, press OK or Cancel). When the script returns and the dialog
// is still open, the dialog is cancelled, so a test can never hang on a modal loop.

#include <functional>

class CModalDialog;

using ModalScript = std::function<void(CModalDialog&)>;

void QueueModalScript(ModalScript script);
bool HasQueuedModalScript();
void ClearModalScripts();

// Used by CModalDialog::DoModal: takes the next script, or an empty function when none is queued.
ModalScript TakeModalScript();
