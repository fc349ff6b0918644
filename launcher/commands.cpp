// The command lines Brevlin runs: the registry import and the setup program with the command tail.
#include "launcher/launcher.h"

namespace {

bool IsBlank(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  return b >= 0x01 && b <= 0x20;
}

}  // namespace

const char* GetCommandTail(const char* commandLine, const LeadByteSet& leads) {
  if (commandLine == nullptr) return "";
  const char* p = commandLine;
  bool quoted = false;
  for (; *p != '\0'; ++p) {
    if (IsBlank(*p) && !quoted) break;
    if (*p == '"') {
      quoted = !quoted;
    } else if (IsLeadByte(leads, *p) && p[1] != '\0') {
      ++p;  // the trail byte is part of the token, whatever its value
    }
  }
  while (IsBlank(*p)) ++p;
  return p;
}

bool ComposeRegImportCommand(const LaunchContext& context, char* out, size_t size) {
  const char* const parts[] = {"regedit /s \"", context.RegScriptPath, "\""};
  return JoinTexts(out, size, parts);
}

bool ComposeSetupPath(const LaunchContext& context, const LauncherSettings& settings, char* out,
                      size_t size) {
  const char* const parts[] = {context.ProgramDir, "\\",
                               settings.SwapCmd == 1 ? settings.CmdExe : "Setup.exe"};
  return JoinTexts(out, size, parts);
}

bool ComposeSetupCommand(const char* setupPath, const char* tail, const LeadByteSet& leads,
                         char* out, size_t size) {
  const bool hasTail = HasCharacter(tail, leads);
  const char* const parts[] = {"\"", setupPath, "\"", hasTail ? " " : "", hasTail ? tail : ""};
  return JoinTexts(out, size, parts);
}
