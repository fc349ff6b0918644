// ANSI text helpers: the code page's lead-byte set, multibyte-aware search, bounded composition.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "platform/services.h"

// The lead bytes of an ANSI code page: Lead[b] is true when byte b starts a double-byte character.
struct LeadByteSet {
  bool Lead[256];
};

// The lead-byte set of `codePage`. The fixed rows (932; 936, 949, 950; 1361) need no `info`; for any
// other code page the ranges of `info` count when its maximum character size is above 1. A null
// `info` (the platform could not describe the code page) gives the empty set.
LeadByteSet LeadBytesFor(uint32_t codePage, const win::CpInfo* info);

// Whether `codePage` is one of the fixed rows, so that its ranges need not be asked for.
bool HasFixedLeadBytes(uint32_t codePage);

// The process-wide set, fixed by InitLeadByteSet at process start; empty until then.
extern LeadByteSet TheLeadByteSet;

// Fixes TheLeadByteSet from the system's ANSI code page (GetACP, and GetCPInfo where needed).
void InitLeadByteSet();

inline bool IsLeadByte(const LeadByteSet& leads, char c) {
  return leads.Lead[static_cast<unsigned char>(c)];
}

// The last single-byte occurrence of `target` in the NUL-terminated `text`, or nullptr. A lead byte
// and the byte after it form one character that never matches; a lead byte before the NUL ends the
// walk.
const char* FindLastChar(const char* text, char target, const LeadByteSet& leads);

// Whether `text` holds at least one character: a lone lead byte before the NUL does not count.
bool HasCharacter(const char* text, const LeadByteSet& leads);

size_t TextLength(const char* text);

// A text being composed into a fixed buffer. Appends are all-or-nothing: one that does not fit marks
// the text as not fitting, and then nothing more is appended. Data stays NUL-terminated throughout.
struct TextBuilder {
  char* Data;
  size_t Size;
  size_t Length;
  bool Fits;
};

// Starts an empty text in data[size]; size must be at least 1.
TextBuilder BeginText(char* data, size_t size);
void AppendBytes(TextBuilder& text, const char* bytes, size_t count);
void AppendText(TextBuilder& text, const char* s);

// Ends the composition: true when everything fitted. Otherwise the buffer is left empty, so a cut
// text is never used.
bool EndText(TextBuilder& text);

// Copies `src` into dst[size] whole, or leaves dst empty and returns false.
bool CopyText(char* dst, size_t size, const char* src);

// Joins `count` texts into out[size] whole, or leaves out empty and returns false.
bool JoinTexts(char* out, size_t size, const char* const* parts, size_t count);

template <size_t N>
bool JoinTexts(char* out, size_t size, const char* const (&parts)[N]) {
  return JoinTexts(out, size, parts, N);
}
