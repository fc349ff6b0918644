// The benchmark's baseline: the least a launcher can do, one CreateProcessA of its command tail
// and one WaitForSingleObject, then exit.
#include <windows.h>

extern "C" void RunnerStart() {
  char* p = GetCommandLineA();
  bool quoted = false;
  for (; *p != '\0' && (quoted || *p != ' '); ++p) {
    if (*p == '"') quoted = !quoted;
  }
  while (*p == ' ') ++p;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child = {};
  if (CreateProcessA(nullptr, p, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child)) {
    WaitForSingleObject(child.hProcess, INFINITE);
  }
  ExitProcess(0);
}
