// Brevlin's records and steps: the launch context, the settings and the command lines it composes.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "launcher/text.h"
#include "platform/services.h"

// Everything of its own that Brevlin touches, found through its own executable's path. Each field
// is an ANSI text of at most 259 bytes.
struct LaunchContext {
  char ProgramDir[win::kMaxPath];     // the executable's folder, no trailing backslash
  char ProgramName[win::kMaxPath];    // its file name as the module path spells it; the lock's name
  char SettingsPath[win::kMaxPath];   // the module path with its extension replaced by ".ini"
  char RegScriptPath[win::kMaxPath];  // the module path with its extension replaced by ".reg"
  // False when the module path could not be fetched whole or a field could not hold its text.
  // Every field is then empty, and nothing may be read or started through the context.
  bool Usable;
};

// The process-wide context, written once by InitLaunchContext and only read afterwards.
extern LaunchContext TheLaunchContext;

// Fills `context` from `modulePath`, split with `leads`. A path of 260 bytes or more, or one whose
// derived fields do not fit, gives an unusable context.
void DeriveLaunchContext(const char* modulePath, const LeadByteSet& leads, LaunchContext& context);

// Fills TheLaunchContext from the running executable's module path and TheLeadByteSet.
void InitLaunchContext();

// The switches of the settings file's section PARAMS, as read. A switch is on only when exactly 1.
struct LauncherSettings {
  uint32_t SwapCmd;             // SWAPCMD: 1 runs CmdExe instead of "Setup.exe"
  uint32_t Setup;               // SETUP: 1 starts the setup program and waits for it
  char CmdExe[win::kMaxPath];   // CMDEXE: the alternative setup program, relative to ProgramDir
  uint32_t StaticRegFromFile;   // STATICREGFROMFILE: 1 imports the registry script first
};

// Reads SWAPCMD, SETUP, CMDEXE and STATICREGFROMFILE, in that order, from `settingsPath`. Missing
// file, section or key give 0, 0, "SetupGRM.exe" and 0.
LauncherSettings ReadLauncherSettings(const char* settingsPath);

// Room for every command line Windows accepts: 32,767 characters and the NUL.
constexpr size_t kCommandLineSize = 32768;

// The command tail of a process command line (nullptr counts as empty): what follows the program
// name token and the bytes 0x01 to 0x20 after it, byte for byte. Points into `commandLine`.
const char* GetCommandTail(const char* commandLine, const LeadByteSet& leads);

// "regedit /s \"<RegScriptPath>\"" into out[size]. False, with out empty, when it does not fit.
bool ComposeRegImportCommand(const LaunchContext& context, char* out, size_t size);

// ProgramDir, one backslash, then CmdExe when SwapCmd is exactly 1 and "Setup.exe" otherwise,
// appended unchanged. False, with out empty, when it does not fit.
bool ComposeSetupPath(const LaunchContext& context, const LauncherSettings& settings, char* out,
                      size_t size);

// "\"<setupPath>\" <tail>", or "\"<setupPath>\"" when the tail holds no character. The tail is
// copied byte for byte. False, with out empty, when it does not fit.
bool ComposeSetupCommand(const char* setupPath, const char* tail, const LeadByteSet& leads,
                         char* out, size_t size);

// The full path of the system's own registry editor: regedit.exe in the system folder, else in the
// Windows folder, the platform's search order without the program's folder, the current folder and
// PATH. False, with out empty, when neither holds it.
bool FindRegistryEditor(char (&out)[win::kMaxPath]);
