// The fake backend of the services seam: answers from fake::State, the way Windows would.
#include "platform/fake.h"

#include <string.h>
#include <strings.h>

#include <algorithm>

namespace fake {

State& Fake() {
  static State state;
  return state;
}

void Reset() { Fake() = State(); }

namespace {

const ProfileEntry* FindProfileEntry(const char* section, const char* key, const char* file) {
  State& s = Fake();
  s.ProfileReads.push_back(key);
  if (file == nullptr || s.ProfilePath != file) return nullptr;
  for (const ProfileEntry& e : s.Profile) {
    if (strcasecmp(e.Section.c_str(), section) == 0 && strcasecmp(e.Key.c_str(), key) == 0) {
      return &e;
    }
  }
  return nullptr;
}

// Copies text into buf[size] the way the directory and module services do.
uint32_t CopyOut(const std::string& text, char* buf, uint32_t size) {
  if (text.size() + 1 > size) return static_cast<uint32_t>(text.size() + 1);
  memcpy(buf, text.c_str(), text.size() + 1);
  return static_cast<uint32_t>(text.size());
}

// The program a command line names: its first token, without its quotes.
std::string FirstToken(const std::string& commandLine) {
  if (!commandLine.empty() && commandLine[0] == '"') {
    return commandLine.substr(1, commandLine.find('"', 1) - 1);
  }
  return commandLine.substr(0, commandLine.find_first_of(" \t"));
}

win::Handle HandleFor(size_t index) { return reinterpret_cast<win::Handle>(0x1000 + index * 4); }

}  // namespace

}  // namespace fake

namespace win {

using fake::Fake;

uint32_t GetModuleFileNameA(Handle, char* buf, uint32_t size) {
  const fake::State& s = Fake();
  if (s.ModulePathFails || size == 0) return 0;
  const size_t n = std::min<size_t>(s.ModulePath.size(), size - 1);
  memcpy(buf, s.ModulePath.data(), n);
  buf[n] = '\0';
  return s.ModulePath.size() >= size ? size : static_cast<uint32_t>(n);  // size itself: cut
}

uint32_t GetACP() { return Fake().CodePage; }

int GetCPInfo(uint32_t, CpInfo* info) {
  fake::State& s = Fake();
  ++s.CpInfoCalls;
  if (s.CpInfoFails) return 0;
  *info = s.CpInfo;
  return 1;
}

const char* GetCommandLineA() {
  const fake::State& s = Fake();
  return s.CommandLineNull ? nullptr : s.CommandLine.c_str();
}

// Like Windows: the value's leading decimal digits, with an optional sign, as an unsigned number.
uint32_t GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                               const char* file) {
  const fake::ProfileEntry* e = fake::FindProfileEntry(section, key, file);
  if (e == nullptr) return static_cast<uint32_t>(defaultValue);
  const char* p = e->Value.c_str();
  while (*p == ' ' || *p == '\t') ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  uint32_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) value = value * 10 + static_cast<uint32_t>(*p - '0');
  return negative ? 0u - value : value;
}

uint32_t GetPrivateProfileStringA(const char* section, const char* key, const char* defaultText,
                                  char* buf, uint32_t size, const char* file) {
  const fake::ProfileEntry* e = fake::FindProfileEntry(section, key, file);
  const std::string text = e != nullptr ? e->Value : std::string(defaultText);
  if (size == 0) return 0;
  const size_t n = std::min<size_t>(text.size(), size - 1);
  memcpy(buf, text.data(), n);
  buf[n] = '\0';
  return static_cast<uint32_t>(n);
}

Handle CreateMutexA(void*, int, const char* name) {
  fake::State& s = Fake();
  s.MutexRequests.push_back(name);
  if (s.MutexFails) {
    s.LastError = 5;  // ERROR_ACCESS_DENIED
    return nullptr;
  }
  s.LastError = s.Mutexes.insert(name).second ? 0 : kErrorAlreadyExists;
  return fake::HandleFor(s.MutexRequests.size());
}

uint32_t GetLastError() { return Fake().LastError; }

int CreateProcessA(const char* applicationName, char* commandLine, void* processAttributes,
                   void* threadAttributes, int inheritHandles, uint32_t creationFlags,
                   void* environment, const char* currentDirectory, StartupInfo* startupInfo,
                   ProcessInformation* info) {
  fake::State& s = Fake();
  fake::ProcessStart start = {};
  start.HasApplicationName = applicationName != nullptr;
  start.ApplicationName = applicationName != nullptr ? applicationName : "";
  start.CommandLine = commandLine;
  start.SecurityAttributesNull = processAttributes == nullptr && threadAttributes == nullptr;
  start.InheritHandles = inheritHandles;
  start.CreationFlags = creationFlags;
  start.EnvironmentNull = environment == nullptr;
  start.CurrentDirectoryNull = currentDirectory == nullptr;
  start.Startup = *startupInfo;
  const std::string program =
      applicationName != nullptr ? applicationName : fake::FirstToken(commandLine);
  start.Started = s.Files.count(program) != 0;
  s.Starts.push_back(start);
  if (!start.Started) return 0;
  info->Process = fake::HandleFor(1000 + s.Starts.size());
  info->Thread = fake::HandleFor(2000 + s.Starts.size());
  return 1;
}

uint32_t WaitForSingleObject(Handle handle, uint32_t milliseconds) {
  Fake().Waits.push_back({handle, milliseconds});
  return 0;
}

uint32_t GetSystemDirectoryA(char* buf, uint32_t size) {
  return fake::CopyOut(Fake().SystemDirectory, buf, size);
}

uint32_t GetWindowsDirectoryA(char* buf, uint32_t size) {
  return fake::CopyOut(Fake().WindowsDirectory, buf, size);
}

uint32_t GetFileAttributesA(const char* path) {
  return Fake().Files.count(path) != 0 ? 0x20u : kInvalidFileAttributes;  // FILE_ATTRIBUTE_ARCHIVE
}

}  // namespace win
