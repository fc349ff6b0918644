// The Windows backend of the services seam: each service forwards to the kernel's ANSI function.
#include <stddef.h>
#include <windows.h>

#include "platform/services.h"

namespace win {

static_assert(sizeof(StartupInfo) == sizeof(STARTUPINFOA), "StartupInfo mirrors STARTUPINFOA");
static_assert(offsetof(StartupInfo, Flags) == offsetof(STARTUPINFOA, dwFlags), "STARTUPINFOA");
static_assert(offsetof(StartupInfo, ShowWindow) == offsetof(STARTUPINFOA, wShowWindow), "");
static_assert(offsetof(StartupInfo, StdError) == offsetof(STARTUPINFOA, hStdError), "");
static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOA) == 68, "68 bytes in the 32-bit build");
static_assert(sizeof(ProcessInformation) == sizeof(PROCESS_INFORMATION), "");
static_assert(offsetof(ProcessInformation, ProcessId) == offsetof(PROCESS_INFORMATION, dwProcessId),
              "");
static_assert(sizeof(CpInfo) == sizeof(CPINFO), "CpInfo mirrors CPINFO");
static_assert(kMaxPath == MAX_PATH && kMaxLeadBytes == MAX_LEADBYTES, "");
static_assert(kErrorAlreadyExists == ERROR_ALREADY_EXISTS && kInfinite == INFINITE, "");
static_assert(kInvalidFileAttributes == INVALID_FILE_ATTRIBUTES, "");
static_assert(kFileAttributeDirectory == FILE_ATTRIBUTE_DIRECTORY, "");

uint32_t GetModuleFileNameA(Handle module, char* buf, uint32_t size) {
  return ::GetModuleFileNameA(static_cast<HMODULE>(module), buf, size);
}

uint32_t GetACP() { return ::GetACP(); }

int GetCPInfo(uint32_t codePage, CpInfo* info) {
  return ::GetCPInfo(codePage, reinterpret_cast<CPINFO*>(info));
}

const char* GetCommandLineA() { return ::GetCommandLineA(); }

uint32_t GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                               const char* file) {
  return ::GetPrivateProfileIntA(section, key, defaultValue, file);
}

uint32_t GetPrivateProfileStringA(const char* section, const char* key, const char* defaultText,
                                  char* buf, uint32_t size, const char* file) {
  return ::GetPrivateProfileStringA(section, key, defaultText, buf, size, file);
}

Handle CreateMutexA(void* attributes, int initialOwner, const char* name) {
  return ::CreateMutexA(static_cast<SECURITY_ATTRIBUTES*>(attributes), initialOwner, name);
}

uint32_t GetLastError() { return ::GetLastError(); }

int CreateProcessA(const char* applicationName, char* commandLine, void* processAttributes,
                   void* threadAttributes, int inheritHandles, uint32_t creationFlags,
                   void* environment, const char* currentDirectory, StartupInfo* startupInfo,
                   ProcessInformation* info) {
  return ::CreateProcessA(applicationName, commandLine,
                          static_cast<SECURITY_ATTRIBUTES*>(processAttributes),
                          static_cast<SECURITY_ATTRIBUTES*>(threadAttributes), inheritHandles,
                          creationFlags, environment, currentDirectory,
                          reinterpret_cast<STARTUPINFOA*>(startupInfo),
                          reinterpret_cast<PROCESS_INFORMATION*>(info));
}

uint32_t WaitForSingleObject(Handle handle, uint32_t milliseconds) {
  return ::WaitForSingleObject(handle, milliseconds);
}

uint32_t GetSystemDirectoryA(char* buf, uint32_t size) { return ::GetSystemDirectoryA(buf, size); }

uint32_t GetWindowsDirectoryA(char* buf, uint32_t size) {
  return ::GetWindowsDirectoryA(buf, size);
}

uint32_t GetFileAttributesA(const char* path) { return ::GetFileAttributesA(path); }

void ExitProcess(uint32_t exitCode) { ::ExitProcess(exitCode); }

}  // namespace win
