// The fake backend of the services seam for host tests: a test sets what each service answers and
// reads back what Brevlin asked of it.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/services.h"

namespace fake {

struct ProfileEntry {
  std::string Section;
  std::string Key;
  std::string Value;
};

// One CreateProcessA call, as Brevlin made it.
struct ProcessStart {
  bool HasApplicationName;
  std::string ApplicationName;
  std::string CommandLine;
  bool SecurityAttributesNull;
  int InheritHandles;
  uint32_t CreationFlags;
  bool EnvironmentNull;
  bool CurrentDirectoryNull;
  win::StartupInfo Startup;
  bool Started;
};

struct WaitCall {
  win::Handle Handle;
  uint32_t Milliseconds;
};

struct State {
  // GetModuleFileNameA: the path it reports, or a failure.
  std::string ModulePath;
  bool ModulePathFails = false;
  // GetACP and GetCPInfo.
  uint32_t CodePage = 1252;
  win::CpInfo CpInfo = {1, {'?', 0}, {}};
  bool CpInfoFails = false;
  int CpInfoCalls = 0;
  // GetCommandLineA; nullptr when CommandLineNull.
  std::string CommandLine;
  bool CommandLineNull = false;
  // The one profile file that exists, its entries, and every key asked for, in order.
  std::string ProfilePath;
  std::vector<ProfileEntry> Profile;
  std::vector<std::string> ProfileReads;
  // Named mutexes: those that exist, every name asked for, and whether creation fails.
  std::set<std::string> Mutexes;
  std::vector<std::string> MutexRequests;
  bool MutexFails = false;
  uint32_t LastError = 0;
  // Files that exist. A program starts only when it is one of them; CreateProcessA looks at the
  // application name, or else at the command line's first token.
  std::set<std::string> Files;
  std::vector<ProcessStart> Starts;
  std::vector<WaitCall> Waits;
  std::string SystemDirectory = "C:\\Windows\\system32";
  std::string WindowsDirectory = "C:\\Windows";
};

// The fake's state; Reset returns it to a machine with no files, no profile and code page 1252.
State& Fake();
void Reset();

}  // namespace fake
