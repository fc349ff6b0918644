// Fuzz target: the launch context derived from an arbitrary module path. Every field is either
// whole and right or the context is unusable and empty; nothing is written past the record.
#include <stdio.h>

#include "launcher/launcher.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

std::string Field(const char (&field)[win::kMaxPath]) {
  const void* nul = memchr(field, '\0', sizeof field);
  FUZZ_CHECK(nul != nullptr);  // NUL-terminated inside its 260 bytes
  return std::string(field);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in{data, size};
  const LeadByteSet leads = PickLeadBytes(in);
  const std::string path = in.Text(600);
  char* copy = ExactCopy(path);
  // The record alone in a heap block, so that a write past its end is seen.
  LaunchContext* context = static_cast<LaunchContext*>(malloc(sizeof(LaunchContext)));
  memset(context, 0xA5, sizeof *context);
  DeriveLaunchContext(copy, leads, *context);

  const std::string dir = Field(context->ProgramDir), name = Field(context->ProgramName);
  const std::string ini = Field(context->SettingsPath), reg = Field(context->RegScriptPath);
  const size_t slash = LastSingle(path, '\\', leads);
  const size_t dot = LastSingle(path, '.', leads);
  const std::string stem = path.substr(0, dot);
  const bool fits = !path.empty() && path.size() < win::kMaxPath && stem.size() + 4 < win::kMaxPath;
  FUZZ_CHECK(context->Usable == fits);
  if (context->Usable) {
    FUZZ_CHECK(dir == (slash == std::string::npos ? path : path.substr(0, slash)));
    FUZZ_CHECK(name == (slash == std::string::npos ? path : path.substr(slash + 1)));
    FUZZ_CHECK(ini == stem + ".ini");
    FUZZ_CHECK(reg == stem + ".reg");
  } else {
    FUZZ_CHECK(dir.empty() && name.empty() && ini.empty() && reg.empty());
  }
  free(context);
  free(copy);
  return 0;
}
