// brevlin-plan: a dry run that shows what a Brevlin launcher would do, with the launcher's own code,
// and warns of the traps a package maker falls into. It starts nothing and changes nothing.
//
//   brevlin-plan [--json] [LAUNCHER] [-- TAIL]
//
// LAUNCHER defaults to Brevlin.exe in the current folder; TAIL, the command tail to assume, is
// taken byte for byte from the command line. Exit status: 0 without warnings, 1 with warnings,
// 2 for a usage error.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "launcher/launcher.h"

namespace {

constexpr char kSection[] = "PARAMS";

struct Warning {
  std::string Code;
  std::string Message;
};

// One key of the section PARAMS: its raw text in the file, and what Brevlin reads.
struct SettingFact {
  const char* Key;
  bool Present;
  std::string Raw;
  uint32_t Value;  // for the switches
  bool On;
};

// One command Brevlin may run.
struct CommandFact {
  std::string Text;  // empty when it could not be composed
  bool Runs;
  std::string Why;
};

struct Plan {
  std::string Launcher;
  LaunchContext Context;
  uint32_t CodePage;
  std::vector<std::pair<int, int>> LeadRanges;
  bool SettingsExists;
  std::string SettingsEncoding;  // "ansi", "utf-8 with byte-order mark", "utf-16"
  bool ParamsSection;
  LauncherSettings Settings;
  SettingFact Facts[4];  // SWAPCMD, SETUP, CMDEXE, STATICREGFROMFILE
  bool RegScriptExists;
  std::string RegistryEditor;
  CommandFact RegImport;
  std::string SetupPath;
  bool SetupExists;
  CommandFact Setup;
  std::vector<Warning> Warnings;
};

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string Encoding(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "unreadable";
  unsigned char head[4] = {};
  DWORD got = 0;
  ReadFile(file, head, sizeof head, &got, nullptr);
  CloseHandle(file);
  if (got >= 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF))) {
    return "utf-16";
  }
  if (got >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) {
    return "utf-8 with byte-order mark";
  }
  if (got >= 2 && (head[0] == 0 || head[1] == 0)) return "utf-16";
  return "ansi";
}

// The NUL-separated names that GetPrivateProfileStringA lists, compared without case.
bool Listed(const std::vector<char>& names, const char* name) {
  for (const char* p = names.data(); *p != '\0'; p += strlen(p) + 1) {
    if (lstrcmpiA(p, name) == 0) return true;
  }
  return false;
}

std::vector<char> ListNames(const char* section, const char* file) {
  std::vector<char> names(65536, '\0');
  const DWORD n = section == nullptr
                      ? GetPrivateProfileSectionNamesA(names.data(), 65535, file)
                      : GetPrivateProfileStringA(section, nullptr, "", names.data(), 65535, file);
  names.resize(n + 2, '\0');
  return names;
}

void Warn(Plan& plan, const char* code, const std::string& message) {
  plan.Warnings.push_back({code, message});
}

void ReadSettingFacts(Plan& plan) {
  const char* file = plan.Context.SettingsPath;
  plan.SettingsExists = FileExists(file);
  plan.SettingsEncoding = plan.SettingsExists ? Encoding(file) : "";
  plan.ParamsSection = plan.SettingsExists && Listed(ListNames(nullptr, file), kSection);
  plan.Settings = ReadLauncherSettings(file);
  const std::vector<char> keys = plan.ParamsSection ? ListNames(kSection, file) : std::vector<char>(2);
  const LauncherSettings& s = plan.Settings;
  const uint32_t values[] = {s.SwapCmd, s.Setup, 0, s.StaticRegFromFile};
  const char* names[] = {"SWAPCMD", "SETUP", "CMDEXE", "STATICREGFROMFILE"};
  for (int i = 0; i < 4; ++i) {
    SettingFact& f = plan.Facts[i];
    f = {names[i], Listed(keys, names[i]), "", values[i], values[i] == 1};
    if (f.Present) {
      std::vector<char> raw(65536, '\0');
      GetPrivateProfileStringA(kSection, names[i], "", raw.data(), 65535, file);
      f.Raw = raw.data();
    }
  }
}

void WarnAboutSettings(Plan& plan) {
  if (!plan.SettingsExists) {
    Warn(plan, "no-settings-file",
         std::string("no settings file ") + plan.Context.SettingsPath + ": Brevlin starts nothing");
    return;
  }
  if (plan.SettingsEncoding != "ansi") {
    Warn(plan, "settings-encoding",
         "the settings file is " + plan.SettingsEncoding +
             ": save it as plain ANSI text, which is all that Brevlin reads");
  }
  if (!plan.ParamsSection) {
    Warn(plan, "no-params-section", "the settings file has no [PARAMS] section: every switch is off");
  }
  for (const SettingFact& f : plan.Facts) {
    if (strcmp(f.Key, "CMDEXE") == 0 || !f.Present || f.On) continue;
    if (f.Raw != "0") {
      Warn(plan, "switch-not-one",
           std::string(f.Key) + "=" + f.Raw + " is off: only the value 1 switches it on");
    }
  }
  const LauncherSettings& s = plan.Settings;
  if (s.SwapCmd == 1 && s.Setup != 1) {
    Warn(plan, "swapcmd-without-setup", "SWAPCMD is 1 but SETUP is not: no setup program starts");
  }
  if (s.SwapCmd == 1) {
    const std::string cmd = s.CmdExe;
    if (cmd.empty()) {
      Warn(plan, "cmdexe-empty", "CMDEXE is empty: the setup path is the folder itself");
    } else if (cmd[0] == '\\' || cmd[0] == '/') {
      Warn(plan, "cmdexe-absolute", "CMDEXE " + cmd + " is absolute, but Brevlin appends it to its "
                                    "folder, so it names no file");
    } else if (cmd.size() >= 2 && cmd[1] == ':') {
      Warn(plan, "cmdexe-drive", "CMDEXE " + cmd + " has a drive letter, but Brevlin appends it to "
                                 "its folder, so it names no file");
    }
  }
}

void PlanCommands(Plan& plan, const char* tail) {
  const LauncherSettings& s = plan.Settings;
  static char text[kCommandLineSize];

  plan.RegScriptExists = FileExists(plan.Context.RegScriptPath);
  char editor[win::kMaxPath];
  plan.RegistryEditor = FindRegistryEditor(editor) ? editor : "";
  const bool regComposed = ComposeRegImportCommand(plan.Context, text, sizeof text);
  plan.RegImport = {text, false, ""};
  if (s.StaticRegFromFile != 1) {
    plan.RegImport.Why = "STATICREGFROMFILE is not 1";
  } else if (!regComposed) {
    plan.RegImport.Why = "the command does not fit and is refused";
    Warn(plan, "too-long", "the registry import command is too long and is refused");
  } else if (plan.RegistryEditor.empty()) {
    plan.RegImport.Why = "the system folders hold no regedit.exe";
    Warn(plan, "no-registry-editor", "no regedit.exe in the system folders: the import is skipped");
  } else {
    plan.RegImport.Runs = true;
    plan.RegImport.Why = "STATICREGFROMFILE is 1";
    if (!plan.RegScriptExists) {
      Warn(plan, "reg-script-missing", std::string("STATICREGFROMFILE is 1 but ") +
                                           plan.Context.RegScriptPath + " does not exist");
    }
  }

  const bool pathComposed = ComposeSetupPath(plan.Context, s, text, sizeof text);
  plan.SetupPath = text;
  plan.SetupExists = pathComposed && FileExists(plan.SetupPath);
  const bool setupComposed =
      pathComposed && ComposeSetupCommand(plan.SetupPath.c_str(), tail, TheLeadByteSet, text, sizeof text);
  plan.Setup = {setupComposed ? text : "", false, ""};
  if (s.Setup != 1) {
    plan.Setup.Why = "SETUP is not 1";
  } else if (!setupComposed) {
    plan.Setup.Why = "the command line does not fit and is refused";
    Warn(plan, "too-long", "the setup command line is too long and is refused");
  } else {
    plan.Setup.Runs = true;
    plan.Setup.Why = "SETUP is 1";
    if (!plan.SetupExists) {
      Warn(plan, "setup-missing", "SETUP is 1 but the setup program " + plan.SetupPath +
                                      " does not exist: its start fails");
    }
  }
}

Plan MakePlan(const std::string& launcher, const char* tail) {
  Plan plan = {};
  plan.Launcher = launcher;
  plan.CodePage = GetACP();
  for (int b = 1; b < 256; ++b) {
    if (!TheLeadByteSet.Lead[b]) continue;
    if (!plan.LeadRanges.empty() && plan.LeadRanges.back().second == b - 1) {
      plan.LeadRanges.back().second = b;
    } else {
      plan.LeadRanges.push_back({b, b});
    }
  }
  DeriveLaunchContext(launcher.c_str(), TheLeadByteSet, plan.Context);
  if (!plan.Context.Usable) {
    Warn(plan, "too-long", "the launcher's path is too long for Brevlin (259 bytes at most, "
                           "companions included): it starts nothing");
    plan.RegImport = {"", false, "the launch context is unusable"};
    plan.Setup = {"", false, "the launch context is unusable"};
    return plan;
  }
  ReadSettingFacts(plan);
  WarnAboutSettings(plan);
  PlanCommands(plan, tail);
  return plan;
}

// ---- output

void Write(const std::string& text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written,
            nullptr);
}

std::string Utf8(const std::string& ansi) {
  if (ansi.empty()) return ansi;
  std::wstring wide(ansi.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                                      &wide[0], static_cast<int>(wide.size()))));
  std::string out(wide.size() * 3, '\0');
  out.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                                     &out[0], static_cast<int>(out.size()), nullptr, nullptr)));
  return out;
}

std::string Json(const std::string& ansi) {
  std::string out = "\"";
  for (const char c : Utf8(ansi)) {
    const unsigned char b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (b < 0x20) {
      char escaped[8];
      snprintf(escaped, sizeof escaped, "\\u%04x", b);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Json(bool value) { return value ? "true" : "false"; }
std::string Json(uint32_t value) { return std::to_string(value); }

std::string JsonCommand(const CommandFact& c) {
  return "{\"command\": " + (c.Text.empty() ? std::string("null") : Json(c.Text)) +
         ", \"runs\": " + Json(c.Runs) + ", \"why\": " + Json(c.Why);
}

void PrintJson(const Plan& p) {
  const LaunchContext& c = p.Context;
  std::string out = "{\"launcher\": " + Json(p.Launcher) + ",\n \"context\": {\"usable\": " +
                    Json(c.Usable) + ", \"folder\": " + Json(std::string(c.ProgramDir)) +
                    ", \"fileName\": " + Json(std::string(c.ProgramName)) + ", \"settingsPath\": " +
                    Json(std::string(c.SettingsPath)) + ", \"regScriptPath\": " +
                    Json(std::string(c.RegScriptPath)) + "},\n \"codePage\": " + Json(p.CodePage) +
                    ", \"leadBytes\": [";
  for (size_t i = 0; i < p.LeadRanges.size(); ++i) {
    out += (i ? ", [" : "[") + std::to_string(p.LeadRanges[i].first) + ", " +
           std::to_string(p.LeadRanges[i].second) + "]";
  }
  out += "],\n \"settingsFile\": {\"exists\": " + Json(p.SettingsExists) + ", \"encoding\": " +
         (p.SettingsExists ? Json(p.SettingsEncoding) : "null") +
         ", \"paramsSection\": " + Json(p.ParamsSection) + "},\n \"settings\": {";
  for (int i = 0; i < 4 && c.Usable; ++i) {
    const SettingFact& f = p.Facts[i];
    const bool text = strcmp(f.Key, "CMDEXE") == 0;
    out += std::string(i ? ", " : "") + "\"" + f.Key + "\": {\"raw\": " +
           (f.Present ? Json(f.Raw) : "null") + ", \"value\": " +
           (text ? Json(std::string(p.Settings.CmdExe)) : Json(f.Value)) +
           (text ? "" : ", \"on\": " + Json(f.On)) + "}";
  }
  out += "},\n \"registryImport\": " + JsonCommand(p.RegImport) + ", \"registryEditor\": " +
         (p.RegistryEditor.empty() ? "null" : Json(p.RegistryEditor)) +
         ", \"scriptExists\": " + Json(p.RegScriptExists) + "},\n \"setup\": " +
         JsonCommand(p.Setup) + ", \"path\": " + Json(p.SetupPath) +
         ", \"programExists\": " + Json(p.SetupExists) + "},\n \"warnings\": [";
  for (size_t i = 0; i < p.Warnings.size(); ++i) {
    out += std::string(i ? ",\n  " : "\n  ") + "{\"code\": " + Json(p.Warnings[i].Code) +
           ", \"message\": " + Json(p.Warnings[i].Message) + "}";
  }
  Write(out + "]}\n");
}

std::string Field(const char* name, const std::string& value) {
  std::string line = std::string("  ") + name;
  line.resize(20, ' ');
  return line + value + "\n";
}

std::string PlainCommand(const char* name, const CommandFact& c) {
  return std::string(name) + (c.Runs ? ": runs (" : ": does not run (") + c.Why + ")\n" +
         (c.Text.empty() ? "" : Field("command", c.Text));
}

void PrintPlain(const Plan& p) {
  const LaunchContext& c = p.Context;
  std::string ranges;
  for (const auto& r : p.LeadRanges) {
    char range[16];
    snprintf(range, sizeof range, " %02X-%02X", r.first, r.second);
    ranges += range;
  }
  std::string out = "launcher " + p.Launcher + "\n" +
                    Field("folder", c.ProgramDir) + Field("file name", c.ProgramName) +
                    Field("settings file", std::string(c.SettingsPath) +
                                               (p.SettingsExists ? " (found)" : " (missing)")) +
                    Field("registry script", std::string(c.RegScriptPath) +
                                                 (p.RegScriptExists ? " (found)" : " (missing)")) +
                    Field("code page", std::to_string(p.CodePage) +
                                           (ranges.empty() ? ", single-byte" : ", lead bytes" + ranges));
  if (c.Usable) {
    out += "settings [PARAMS]\n";
    for (const SettingFact& f : p.Facts) {
      const bool text = strcmp(f.Key, "CMDEXE") == 0;
      const std::string raw = f.Present ? "\"" + f.Raw + "\"" : "missing";
      const std::string read = text ? "\"" + std::string(p.Settings.CmdExe) + "\""
                                    : std::to_string(f.Value) + (f.On ? ", on" : ", off");
      out += Field(f.Key, raw + " -> " + read);
    }
  }
  out += PlainCommand("registry import", p.RegImport);
  if (!p.RegistryEditor.empty()) out += Field("registry editor", p.RegistryEditor);
  out += PlainCommand("setup program", p.Setup);
  out += p.Warnings.empty() ? "no warnings\n" : "warnings\n";
  for (const Warning& w : p.Warnings) out += "  " + w.Message + "\n";
  Write(out);
}

// ---- command line

// The next token of `p`, its quotes removed; false at the end.
bool NextToken(const char*& p, std::string& token) {
  while (*p == ' ' || *p == '\t') ++p;
  if (*p == '\0') return false;
  token.clear();
  bool quoted = false;
  for (; *p != '\0' && (quoted || (*p != ' ' && *p != '\t')); ++p) {
    if (*p == '"') {
      quoted = !quoted;
    } else {
      token += *p;
    }
  }
  return true;
}

int UsageError(const std::string& message) {
  fprintf(stderr, "brevlin-plan: %s\n", message.c_str());
  return 2;
}

}  // namespace

int main() {
  InitLeadByteSet();
  const char* p = GetCommandTail(GetCommandLineA(), TheLeadByteSet);
  bool json = false;
  std::string launcher = "Brevlin.exe";
  bool named = false;
  const char* tail = "";
  std::string token;
  while (NextToken(p, token)) {
    if (token == "--") {  // the rest, after the blanks that Brevlin skips too, is the tail
      while (static_cast<unsigned char>(*p) >= 0x01 && static_cast<unsigned char>(*p) <= 0x20) ++p;
      tail = p;
      break;
    }
    if (token == "--json") {
      json = true;
    } else if (token.size() > 1 && token[0] == '-') {
      return UsageError("unknown option " + token + " (usage: brevlin-plan [--json] [LAUNCHER] [-- TAIL])");
    } else if (named) {
      return UsageError("more than one launcher named: " + token);
    } else {
      launcher = token;
      named = true;
    }
  }
  char full[MAX_PATH * 4] = {};
  const DWORD n = GetFullPathNameA(launcher.c_str(), sizeof full, full, nullptr);
  if (n == 0 || n >= sizeof full || !FileExists(full)) {
    return UsageError("cannot read the launcher " + launcher);
  }
  const Plan plan = MakePlan(full, tail);
  if (json) {
    PrintJson(plan);
  } else {
    PrintPlain(plan);
  }
  return plan.Warnings.empty() ? 0 : 1;
}
