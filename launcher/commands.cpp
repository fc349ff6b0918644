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
  TextBuilder text = BeginText(out, size);
  AppendText(text, "regedit /s \"");
  AppendText(text, context.RegScriptPath);
  AppendText(text, "\"");
  return EndText(text);
}

bool ComposeSetupPath(const LaunchContext& context, const LauncherSettings& settings, char* out,
                      size_t size) {
  TextBuilder text = BeginText(out, size);
  AppendText(text, context.ProgramDir);
  AppendText(text, "\\");
  AppendText(text, settings.SwapCmd == 1 ? settings.CmdExe : "Setup.exe");
  return EndText(text);
}

bool ComposeSetupCommand(const char* setupPath, const char* tail, const LeadByteSet& leads,
                         char* out, size_t size) {
  TextBuilder text = BeginText(out, size);
  AppendText(text, "\"");
  AppendText(text, setupPath);
  AppendText(text, "\"");
  if (HasCharacter(tail, leads)) {
    AppendText(text, " ");
    AppendText(text, tail);
  }
  return EndText(text);
}
