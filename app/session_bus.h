// Both the toolkit (its accessibility bridge, as the first window is built)
// and SDL (as its audio starts) ask the message-bus library for the desktop
// session's bus. Where the session names none (a bare X session, ssh -X, a
// kiosk), that library would start a bus of its own: a launcher and a daemon
// that write into the home, runtime and temporary folders and outlive the
// program. The library has no call to say "there is none"; its one switch is
// the session's bus address, so in this process alone the address is set to
// one that disables the start. Where a bus is named, nothing changes.
#pragma once

// Before the application object and before any sound is played.
void declareAbsentSessionBus();
