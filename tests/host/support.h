// Helpers shared by the host tests: lead-byte sets by code page and exactly sized text buffers.
#pragma once

#include <string>
#include <vector>

#include "launcher/text.h"

// The lead-byte set of a fixed code page, or the empty set for 0.
inline LeadByteSet Leads(uint32_t codePage) { return LeadBytesFor(codePage, nullptr); }

// `text` with its NUL in a heap block of exactly that size, so that AddressSanitizer reports any
// read past the NUL.
inline std::vector<char> Exact(const std::string& text) {
  return std::vector<char>(text.c_str(), text.c_str() + text.size() + 1);
}

// Printable form of bytes for failure messages.
inline std::string Shown(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char byte : bytes) {
    const unsigned char c = static_cast<unsigned char>(byte);
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}
