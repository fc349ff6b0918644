// The launch context: companion paths derived from the executable's own module path.
#include "launcher/launcher.h"

LaunchContext TheLaunchContext;

namespace {

// The first `count` bytes of `text`, then `suffix`, into `out` whole; or false with `out` empty.
bool JoinPrefix(char (&out)[win::kMaxPath], const char* text, size_t count, const char* suffix) {
  TextBuilder joined = BeginText(out, sizeof out);
  AppendBytes(joined, text, count);
  AppendText(joined, suffix);
  return EndText(joined);
}

// The length of `text` before the last single-byte `c`, or its whole length without one.
size_t LengthBeforeLast(const char* text, char c, const LeadByteSet& leads) {
  const char* last = FindLastChar(text, c, leads);
  return last != nullptr ? static_cast<size_t>(last - text) : TextLength(text);
}

}  // namespace

void DeriveLaunchContext(const char* modulePath, const LeadByteSet& leads, LaunchContext& context) {
  // Without a backslash the folder and the file name are both the whole path. The companions'
  // extension replaces the text after the last full stop, which may lie in a folder's name.
  const size_t dirLength = LengthBeforeLast(modulePath, '\\', leads);
  const char* name = modulePath[dirLength] == '\\' ? modulePath + dirLength + 1 : modulePath;
  const size_t stemLength = LengthBeforeLast(modulePath, '.', leads);
  const size_t length = TextLength(modulePath);
  context.Usable = length != 0 && length < win::kMaxPath &&
                   JoinPrefix(context.ProgramDir, modulePath, dirLength, "") &&
                   CopyText(context.ProgramName, sizeof context.ProgramName, name) &&
                   JoinPrefix(context.SettingsPath, modulePath, stemLength, ".ini") &&
                   JoinPrefix(context.RegScriptPath, modulePath, stemLength, ".reg");
  if (!context.Usable) context = LaunchContext{};
}

void InitLaunchContext() {
  char modulePath[win::kMaxPath] = {};
  uint32_t length = win::GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
  if (length >= sizeof modulePath) length = 0;  // cut: the call reports it with the size itself
  modulePath[length] = '\0';
  DeriveLaunchContext(modulePath, TheLeadByteSet, TheLaunchContext);
}
