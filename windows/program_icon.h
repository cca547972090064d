// The program's icon, MAINICON (a 32 x 32 and a 16 x 16 image), made the
// application's icon: the windows store none of their own, so every window
// and the task bar entry show it. Installing it is idempotent.
#pragma once

class QIcon;

// The icon as it is compiled into the program.
QIcon ProgramIcon();
// Makes it the application's window icon.
void installProgramIcon();
