// The main routine and the step it repeats: running a child to its end.
// Kept apart from launcher.h because <windows.h> declares a WinMain of its own.
#pragma once

#include "launcher/launcher.h"

// Starts one child with empty start-up information, no environment block and no current folder of
// its own, and waits without a time limit until it ends. `applicationName` may be nullptr: the
// program is then the command line's first token. A child that cannot be started is passed over.
void RunAndWait(const char* applicationName, char* commandLine);

// Brevlin's whole run: lock, settings, optional registry import, optional setup program. Only the
// command tail is used; it is handed on to the setup program unchanged. Always returns 0.
int WinMain(win::Handle instance, win::Handle previousInstance, const char* commandTail,
            int showCommand);
