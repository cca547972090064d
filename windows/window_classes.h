// Registers, once, every class that the program's stored layouts name: the
// control kit's, the sound player's and the runtime services' components.
#pragma once

void registerWindowClasses();
