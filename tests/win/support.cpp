// Helpers for the Windows tests: scratch folders, files, and running a program to its end.
#include "tests/win/support.h"

#include <vector>

namespace wintest {

namespace {

void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = dir + "\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(dir.c_str());
}

}  // namespace

std::string ScratchDir(const std::string& name) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string dir =
      std::string(temp) + "brevlin-" + std::to_string(GetCurrentProcessId()) + "-" + name;
  RemoveTree(dir);
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool ReadFileBytes(const std::string& path, std::string* bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got != 0) bytes->append(chunk, got);
  CloseHandle(file);
  return true;
}

std::string SelfPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  return path;
}

HANDLE Start(const std::string& application, const std::string& commandLine,
             const std::string& currentDir, int show, HANDLE output) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (show >= 0) {
    startup.dwFlags |= STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
  }
  if (output != nullptr) {
    startup.dwFlags |= STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
  }
  PROCESS_INFORMATION info = {};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!CreateProcessA(application.empty() ? nullptr : application.c_str(), line.data(), nullptr,
                      nullptr, output != nullptr, 0, nullptr,
                      currentDir.empty() ? nullptr : currentDir.c_str(), &startup, &info)) {
    return nullptr;
  }
  CloseHandle(info.hThread);
  return info.hProcess;
}

long WaitExit(HANDLE process) {
  WaitForSingleObject(process, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  CloseHandle(process);
  return static_cast<long>(code);
}

long RunCapturingOutput(const std::string& commandLine, const std::string& currentDir,
                        std::string* output) {
  const std::string file = ScratchDir("output") + "\\stdout.txt";
  SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
  HANDLE out = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return -1;
  HANDLE process = Start("", commandLine, currentDir, -1, out);
  CloseHandle(out);
  if (process == nullptr) return -1;
  const long code = WaitExit(process);
  ReadFileBytes(file, output);
  return code;
}

long RunToEnd(const std::string& application, const std::string& commandLine,
              const std::string& currentDir) {
  HANDLE process = Start(application, commandLine, currentDir);
  return process == nullptr ? -1 : WaitExit(process);
}

}  // namespace wintest
