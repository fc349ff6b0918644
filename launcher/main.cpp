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

// Whether `dir` holds the file `name`; `path` receives the full path.
bool FindFileIn(const char* dir, const char* name, char (&path)[win::kMaxPath]) {
  const char* last = FindLastChar(dir, '\\', TheLeadByteSet);
  TextBuilder text = BeginText(path, sizeof path);
  AppendText(text, dir);
  if (last == nullptr || last[1] != '\0') AppendText(text, "\\");
  AppendText(text, name);
  if (!EndText(text)) return false;
  const uint32_t attributes = win::GetFileAttributesA(path);
  return attributes != win::kInvalidFileAttributes &&
         (attributes & win::kFileAttributeDirectory) == 0;
}

// A system folder from `get`, or an empty text when it cannot be had whole.
using FolderService = uint32_t (*)(char*, uint32_t);
bool GetFolder(FolderService get, char (&dir)[win::kMaxPath]) {
  const uint32_t length = get(dir, sizeof dir);
  if (length == 0 || length >= sizeof dir) dir[0] = '\0';
  return dir[0] != '\0';
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
  static const char kRegistryEditor[] = "regedit.exe";
  static const FolderService kSearchOrder[] = {win::GetSystemDirectoryA, win::GetWindowsDirectoryA};
  char dir[win::kMaxPath];
  for (FolderService get : kSearchOrder) {
    if (GetFolder(get, dir) && FindFileIn(dir, kRegistryEditor, out)) return true;
  }
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
