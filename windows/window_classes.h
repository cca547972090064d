// Prepares, once, what the program's windows need before the first is built:
// every class that their stored layouts name (the control kit's, the sound
// player's and the runtime services' components) and the program's icon.
#pragma once

void registerWindowClasses();
