// The launch context: companion paths derived from the executable's own module path.
#include "launcher/launcher.h"

LaunchContext TheLaunchContext;

namespace {

// `modulePath` with the extension after its last full stop (folders included) replaced by
// `extension`, or with `extension` appended when it has no full stop.
bool DeriveCompanionPath(const char* modulePath, const char* extension, const LeadByteSet& leads,
                         char (&out)[win::kMaxPath]) {
  const char* dot = FindLastChar(modulePath, '.', leads);
  const size_t stem = dot != nullptr ? static_cast<size_t>(dot - modulePath) : TextLength(modulePath);
  TextBuilder text = BeginText(out, sizeof out);
  AppendBytes(text, modulePath, stem);
  AppendText(text, extension);
  return EndText(text);
}

bool SplitModulePath(const char* modulePath, const LeadByteSet& leads, LaunchContext& context) {
  const char* slash = FindLastChar(modulePath, '\\', leads);
  if (slash == nullptr) {
    return CopyText(context.ProgramDir, sizeof context.ProgramDir, modulePath) &&
           CopyText(context.ProgramName, sizeof context.ProgramName, modulePath);
  }
  TextBuilder dir = BeginText(context.ProgramDir, sizeof context.ProgramDir);
  AppendBytes(dir, modulePath, static_cast<size_t>(slash - modulePath));
  return EndText(dir) && CopyText(context.ProgramName, sizeof context.ProgramName, slash + 1);
}

}  // namespace

void DeriveLaunchContext(const char* modulePath, const LeadByteSet& leads, LaunchContext& context) {
  context = LaunchContext{};
  context.Usable = modulePath[0] != '\0' && SplitModulePath(modulePath, leads, context) &&
                   DeriveCompanionPath(modulePath, ".ini", leads, context.SettingsPath) &&
                   DeriveCompanionPath(modulePath, ".reg", leads, context.RegScriptPath);
  if (!context.Usable) context = LaunchContext{};
}

void InitLaunchContext() {
  char modulePath[win::kMaxPath] = {};
  const uint32_t length = win::GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
  if (length == 0 || length >= sizeof modulePath) modulePath[0] = '\0';  // failed, or cut
  modulePath[sizeof modulePath - 1] = '\0';
  DeriveLaunchContext(modulePath, TheLeadByteSet, TheLaunchContext);
}
