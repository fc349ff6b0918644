// The example package's setup program: it writes what it received from Brevlin, its command line
// and its current folder, to setup-received.txt beside itself.
#include <windows.h>

#include <string>

int main() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, sizeof self);
  std::string report = self;
  report = report.substr(0, report.rfind('\\')) + "\\setup-received.txt";
  char cwd[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof cwd, cwd);
  const std::string text = std::string("command line: ") + GetCommandLineA() +
                           "\r\ncurrent folder: " + cwd + "\r\n";
  HANDLE file = CreateFileA(report.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}
