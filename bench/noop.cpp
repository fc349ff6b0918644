// The benchmark's child: a program that does nothing and exits with 0.
#include <windows.h>

extern "C" void NoopStart() { ExitProcess(0); }
