// The open-file dialog of this host: Qt's own file dialog (never the desktop's
// native one, so that it behaves alike everywhere) set up from a TOpenDialog,
// placed centred and one third down its screen, application-modal. Qt's
// dialog would keep its state in a settings file; this process's toolkit
// settings are sent nowhere instead, because the program writes nothing.
#pragma once

class TOpenDialog;

// Shows the dialog; true and dialog.FileName = the chosen full path on Open,
// false and nothing changed on Cancel or close.
bool runOpenFileDialog(TOpenDialog& dialog);

// From this call on, Qt's settings of this process are neither read from nor
// written to any file. The file dialog calls it; calling it again does nothing.
void blockToolkitSettings();
