// Fuzz target: the three command texts composed from arbitrary settings, folder and tail into
// buffers of arbitrary size. Each is exact or refused and empty; nothing is written past a buffer.
#include <stdio.h>

#include "launcher/launcher.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// A buffer of exactly `size` bytes on the heap, filled with a pattern.
char* Buffer(size_t size) {
  char* buffer = static_cast<char*>(malloc(size));
  memset(buffer, 0x5A, size);
  return buffer;
}

void CheckComposed(bool fitted, const char* out, size_t size, const std::string& expected) {
  FUZZ_CHECK(fitted == (expected.size() < size));
  FUZZ_CHECK(std::string(out) == (fitted ? expected : std::string()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in{data, size};
  const LeadByteSet leads = PickLeadBytes(in);
  // Small sizes often, so that refusals are reached too; else the real command-line size.
  const uint8_t pick = in.Byte();
  const size_t outSize = pick < 0x80 ? 1 + pick * 4u : kCommandLineSize;

  LaunchContext context = {};
  LauncherSettings settings = {};
  const std::string dir = in.Text(win::kMaxPath - 1);
  const std::string regPath = in.Text(win::kMaxPath - 1);
  settings.SwapCmd = in.Byte() % 3;
  const std::string cmdExe = in.Text(win::kMaxPath - 1);
  const std::string tail = in.Text(40000);
  memcpy(context.ProgramDir, dir.c_str(), dir.size() + 1);
  memcpy(context.RegScriptPath, regPath.c_str(), regPath.size() + 1);
  memcpy(settings.CmdExe, cmdExe.c_str(), cmdExe.size() + 1);
  char* tailCopy = ExactCopy(tail);

  char* reg = Buffer(outSize);
  CheckComposed(ComposeRegImportCommand(context, reg, outSize), reg, outSize,
                "regedit /s \"" + regPath + "\"");

  char* path = Buffer(outSize);
  const std::string expectedPath = dir + "\\" + (settings.SwapCmd == 1 ? cmdExe : "Setup.exe");
  const bool pathFitted = ComposeSetupPath(context, settings, path, outSize);
  CheckComposed(pathFitted, path, outSize, expectedPath);

  if (pathFitted) {
    char* line = Buffer(outSize);
    const bool hasTail = !CharacterStarts(tail, leads).empty();
    const std::string expected = "\"" + expectedPath + "\"" + (hasTail ? " " + tail : "");
    CheckComposed(ComposeSetupCommand(path, tailCopy, leads, line, outSize), line, outSize, expected);
    free(line);
  }
  free(path);
  free(reg);
  free(tailCopy);
  return 0;
}
