// Brevlin's own process start-up, in place of the C runtime's: it computes the command tail with
// the launcher's multibyte-aware rules, runs WinMain and ends the process with its result. It also
// provides the two memory routines that the compiler may call for clearing and copying records.
#include <stddef.h>

#include "launcher/main.h"

extern "C" char __ImageBase;  // the linker's symbol for the image's first byte: the instance

namespace {

constexpr int kShowDefault = 10;  // SW_SHOWDEFAULT; WinMain does not use it

}  // namespace

extern "C" void BrevlinStart() {
  InitLeadByteSet();
  const char* tail = GetCommandTail(win::GetCommandLineA(), TheLeadByteSet);
  win::ExitProcess(static_cast<uint32_t>(WinMain(&__ImageBase, nullptr, tail, kShowDefault)));
}

// Built with -fno-tree-loop-distribute-patterns, so that these loops do not become calls to
// themselves, and kept only where the generated code calls them.
extern "C" void* memset(void* dst, int value, size_t count) {
  unsigned char* d = static_cast<unsigned char*>(dst);
  while (count-- != 0) *d++ = static_cast<unsigned char>(value);
  return dst;
}

extern "C" void* memcpy(void* dst, const void* src, size_t count) {
  unsigned char* d = static_cast<unsigned char*>(dst);
  const unsigned char* s = static_cast<const unsigned char*>(src);
  while (count-- != 0) *d++ = *s++;
  return dst;
}
