// A stand-in setup program for the end-to-end tests. It appends to the file named by
// BREVLIN_STANDIN_LOG one record of how it was started: its own path, its exact command line, its
// current folder, its start-up flags and show state, whether the registry value named by
// BREVLIN_STANDIN_REGVALUE (under HKCU\Software\BrevlinTest) existed yet, and a time stamp. It then
// sleeps BREVLIN_STANDIN_SLEEP_MS, appends "ended", and exits with BREVLIN_STANDIN_EXIT.
#include <windows.h>

#include <string>

namespace {

std::string Env(const char* name) {
  // Read as UTF-16 and converted here: Wine's ANSI flavour cuts values holding double-byte
  // characters short by a byte per character.
  wchar_t wideName[64] = {};
  MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, 64);
  wchar_t wide[1024] = {};
  const DWORD n = GetEnvironmentVariableW(wideName, wide, 1024);
  if (n == 0 || n >= 1024) return std::string();
  char value[4096] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, value, sizeof value, nullptr, nullptr);
  return value;
}

std::string Hex(const std::string& bytes) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (const char byte : bytes) {
    const unsigned char c = static_cast<unsigned char>(byte);
    out += kHex[c >> 4];
    out += kHex[c & 15];
  }
  return out;
}

std::string Ticks() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return std::to_string(now.QuadPart);
}

std::string RegValueState() {
  const std::string name = Env("BREVLIN_STANDIN_REGVALUE");
  if (name.empty()) return "-";
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\BrevlinTest", 0, KEY_READ, &key) != 0) {
    return "absent";
  }
  const LONG found = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return found == 0 ? "present" : "absent";
}

void Append(const std::string& text) {
  const std::string log = Env("BREVLIN_STANDIN_LOG");
  if (log.empty()) return;
  HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

int main() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, sizeof self);
  char cwd[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof cwd, cwd);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  Append("program=" + Hex(self) + "\ncmdline=" + Hex(GetCommandLineA()) + "\ncwd=" + Hex(cwd) +
         "\nflags=" + std::to_string(startup.dwFlags) +
         "\nshow=" + std::to_string(startup.wShowWindow) + "\nregvalue=" + RegValueState() +
         "\nstart=" + Ticks() + "\n");
  const std::string sleep = Env("BREVLIN_STANDIN_SLEEP_MS");
  if (!sleep.empty()) Sleep(static_cast<DWORD>(std::stoul(sleep)));
  Append("ended=" + Ticks() + "\n");
  const std::string code = Env("BREVLIN_STANDIN_EXIT");
  return code.empty() ? 0 : std::stoi(code);
}
