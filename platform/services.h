// The seam between Brevlin's logic and Windows: every kernel service the launcher calls, ANSI flavour.
// platform/win32.cpp forwards each to Windows; platform/fake.cpp stands in for them in host tests.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace win {

using Handle = void*;

constexpr uint32_t kMaxPath = 260;                 // MAX_PATH: fixed path buffers, NUL included
constexpr uint32_t kErrorAlreadyExists = 183;      // ERROR_ALREADY_EXISTS
constexpr uint32_t kInfinite = 0xFFFFFFFFu;        // INFINITE
constexpr uint32_t kInvalidFileAttributes = 0xFFFFFFFFu;
constexpr uint32_t kFileAttributeDirectory = 0x10;
constexpr uint32_t kMaxLeadBytes = 12;             // MAX_LEADBYTES

// CPINFO: lead-byte ranges as pairs of first and last byte, ended by a zero pair.
struct CpInfo {
  uint32_t MaxCharSize;
  uint8_t DefaultChar[2];
  uint8_t LeadByte[kMaxLeadBytes];
};

// STARTUPINFOA, field for field; the Win32 backend proves the layout against <windows.h>.
struct StartupInfo {
  uint32_t Cb;
  char* Reserved;
  char* Desktop;
  char* Title;
  uint32_t X, Y, XSize, YSize, XCountChars, YCountChars, FillAttribute, Flags;
  uint16_t ShowWindow;
  uint16_t Reserved2Size;
  uint8_t* Reserved2;
  Handle StdInput, StdOutput, StdError;
};

// PROCESS_INFORMATION.
struct ProcessInformation {
  Handle Process;
  Handle Thread;
  uint32_t ProcessId;
  uint32_t ThreadId;
};

// Module path of `module` (nullptr: the running executable) into buf[size]. Returns the length
// written; size itself when the path was cut; 0 on failure.
uint32_t GetModuleFileNameA(Handle module, char* buf, uint32_t size);

// The system's ANSI code page.
uint32_t GetACP();

// Describes `codePage`; 0 when the platform cannot.
int GetCPInfo(uint32_t codePage, CpInfo* info);

// The process command line as the process was started, program name first; may be nullptr.
const char* GetCommandLineA();

// A key's integer value, or `defaultValue` when file, section or key is missing.
uint32_t GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                               const char* file);

// A key's text cut to size-1 bytes and NUL-terminated, or `defaultText` when file, section or key
// is missing. Returns the length copied.
uint32_t GetPrivateProfileStringA(const char* section, const char* key, const char* defaultText,
                                  char* buf, uint32_t size, const char* file);

// Creates or opens the named mutex; nullptr on failure. GetLastError tells whether it existed.
Handle CreateMutexA(void* attributes, int initialOwner, const char* name);

// The calling thread's last error code.
uint32_t GetLastError();

// Starts a child process. Non-zero when it was started; `info` then holds its handles.
int CreateProcessA(const char* applicationName, char* commandLine, void* processAttributes,
                   void* threadAttributes, int inheritHandles, uint32_t creationFlags,
                   void* environment, const char* currentDirectory, StartupInfo* startupInfo,
                   ProcessInformation* info);

// Waits until `handle` is signalled or `milliseconds` pass.
uint32_t WaitForSingleObject(Handle handle, uint32_t milliseconds);

// The system folder and the Windows folder into buf[size]. Return the length written, the size
// needed (NUL included) when buf is too small, or 0 on failure.
uint32_t GetSystemDirectoryA(char* buf, uint32_t size);
uint32_t GetWindowsDirectoryA(char* buf, uint32_t size);

// A file's attributes, or kInvalidFileAttributes when it does not exist or cannot be read.
uint32_t GetFileAttributesA(const char* path);

// Ends the process with `exitCode`. Only the start-up calls it; host tests have no process to end.
[[noreturn]] void ExitProcess(uint32_t exitCode);

}  // namespace win
