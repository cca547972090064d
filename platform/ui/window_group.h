// The program's windows as one group under the main window: minimising the
// main window takes the other visible windows away with it until it is
// restored. Which windows exist and when they are shown is left to the forms.
#pragma once

#include <Qt>

class TForm;

namespace window_group {

// A window closed by the program stays closed when the main window is restored.
void closed(TForm& form);
// Follows a change of the main window's state: minimised hides the other
// visible windows, restored shows again the ones it hid.
void mainWindowStateChanged(TForm& main, Qt::WindowStates oldState);

} // namespace window_group
