// The main routine: one instance at a time, the optional registry import, the setup program.
#include "launcher/main.h"

namespace {

// The composed command lines, too large for the stack of a program without stack probes.
char RegImportCommand[kCommandLineSize];
char SetupPath[kCommandLineSize];
char SetupCommand[kCommandLineSize];

// Creates the mutex named after the executable's file name and keeps it to the end of the
// process. False when another process already holds one of that name.
bool TakeSingleInstanceLock() {
  win::CreateMutexA(nullptr, 0, TheLaunchContext.ProgramName);
  return win::GetLastError() != win::kErrorAlreadyExists;
}

// Whether the folder in `dir`, whose service reported `length`, holds the system's registry
// editor; `path` receives its full path. A folder that could not be had whole holds nothing.
bool HoldsRegistryEditor(const char (&dir)[win::kMaxPath], uint32_t length,
                         char (&path)[win::kMaxPath]) {
  if (length == 0 || length >= sizeof dir) return false;
  const char* last = FindLastChar(dir, '\\', TheLeadByteSet);
  const bool endsInSeparator = last != nullptr && last[1] == '\0';  // a drive's root
  const char* const parts[] = {dir, endsInSeparator ? "" : "\\", "regedit.exe"};
  if (!JoinTexts(path, sizeof path, parts)) return false;
  const uint32_t attributes = win::GetFileAttributesA(path);
  return attributes != win::kInvalidFileAttributes &&
         (attributes & win::kFileAttributeDirectory) == 0;
}

void ImportRegScript() {
  static char editor[win::kMaxPath];
  if (!FindRegistryEditor(editor)) return;
  if (!ComposeRegImportCommand(TheLaunchContext, RegImportCommand, sizeof RegImportCommand)) return;
  RunAndWait(editor, RegImportCommand);
}

bool ComposeSetup(const LauncherSettings& settings, const char* commandTail) {
  return ComposeSetupPath(TheLaunchContext, settings, SetupPath, sizeof SetupPath) &&
         ComposeSetupCommand(SetupPath, commandTail, TheLeadByteSet, SetupCommand,
                             sizeof SetupCommand);
}

}  // namespace

bool FindRegistryEditor(char (&out)[win::kMaxPath]) {
  char dir[win::kMaxPath];
  if (HoldsRegistryEditor(dir, win::GetSystemDirectoryA(dir, sizeof dir), out)) return true;
  if (HoldsRegistryEditor(dir, win::GetWindowsDirectoryA(dir, sizeof dir), out)) return true;
  out[0] = '\0';
  return false;
}

void RunAndWait(const char* applicationName, char* commandLine) {
  win::StartupInfo startup = {};
  startup.Cb = sizeof startup;
  win::ProcessInformation child = {};
  if (!win::CreateProcessA(applicationName, commandLine, nullptr, nullptr, 0, 0, nullptr, nullptr,
                           &startup, &child)) {
    return;
  }
  win::WaitForSingleObject(child.Process, win::kInfinite);
}

int WinMain(win::Handle, win::Handle, const char* commandTail, int) {
  InitLaunchContext();
  if (!TakeSingleInstanceLock()) return 0;
  if (!TheLaunchContext.Usable) return 0;
  const LauncherSettings settings = ReadLauncherSettings(TheLaunchContext.SettingsPath);
  if (settings.StaticRegFromFile == 1) ImportRegScript();
  const bool composed = ComposeSetup(settings, commandTail);
  if (settings.Setup != 1 || !composed) return 0;
  RunAndWait(nullptr, SetupCommand);
  return 0;
}
