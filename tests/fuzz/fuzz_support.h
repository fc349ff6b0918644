// Shared pieces of the fuzz targets: picking a lead-byte set from the input, exactly sized heap
// copies (so that AddressSanitizer sees any access past them), and an independent character walk.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "launcher/text.h"

// Takes bytes from the front of a fuzz input.
struct FuzzInput {
  const uint8_t* Data;
  size_t Size;

  uint8_t Byte() {
    if (Size == 0) return 0;
    --Size;
    return *Data++;
  }
  // Up to `max` bytes, ended early by a 0xFF byte; never holds a NUL.
  std::string Text(size_t max) {
    std::string text;
    while (Size > 0 && text.size() < max) {
      const uint8_t b = Byte();
      if (b == 0xFF) break;
      if (b != 0) text += static_cast<char>(b);
    }
    return text;
  }
};

// The empty set, the fixed rows, or ranges that the input makes up as a platform would report
// them: lead bytes of real code pages all lie above 0x7F, never among blanks, quotes or separators.
inline LeadByteSet PickLeadBytes(FuzzInput& in) {
  static const uint32_t kCodePages[] = {1252, 932, 936, 949, 950, 1361};
  const uint8_t choice = in.Byte() % 7;
  if (choice < 6) return LeadBytesFor(kCodePages[choice], nullptr);
  win::CpInfo info = {2, {'?', 0}, {}};
  for (uint8_t& b : info.LeadByte) b = static_cast<uint8_t>(in.Byte() | 0x80);
  return LeadBytesFor(51949, &info);
}

// `text` and its NUL in a heap block of exactly that size.
inline char* ExactCopy(const std::string& text) {
  char* copy = static_cast<char*>(malloc(text.size() + 1));
  memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

// The offsets at which characters start, walked apart from the launcher's own code: a lead byte
// with a byte after it is one character of two bytes; a lead byte before the end is dropped.
inline std::vector<size_t> CharacterStarts(const std::string& text, const LeadByteSet& leads) {
  std::vector<size_t> starts;
  size_t i = 0;
  while (i < text.size()) {
    const bool lead = leads.Lead[static_cast<unsigned char>(text[i])];
    if (lead && i + 1 == text.size()) break;
    starts.push_back(i);
    i += lead ? 2 : 1;
  }
  return starts;
}

inline bool IsSingle(const std::string& text, size_t at, const LeadByteSet& leads) {
  return !leads.Lead[static_cast<unsigned char>(text[at])];
}

// The last single-byte `c` by the independent walk, or npos.
inline size_t LastSingle(const std::string& text, char c, const LeadByteSet& leads) {
  size_t found = std::string::npos;
  for (size_t at : CharacterStarts(text, leads)) {
    if (text[at] == c && IsSingle(text, at, leads)) found = at;
  }
  return found;
}

#define FUZZ_CHECK(condition)                                                  \
  do {                                                                         \
    if (!(condition)) {                                                        \
      fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
      abort();                                                                 \
    }                                                                          \
  } while (0)
