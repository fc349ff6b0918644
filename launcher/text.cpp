// ANSI text helpers: lead-byte sets, multibyte-aware search and bounded composition.
#include "launcher/text.h"

LeadByteSet TheLeadByteSet;

namespace {

// Lead-byte ranges in the platform's CPINFO form: pairs of first and last byte, ended by a zero
// pair or by the end of the array.
using LeadByteRanges = uint8_t[win::kMaxLeadBytes];

struct FixedCodePage {
  uint32_t CodePage;
  LeadByteRanges Ranges;
};

constexpr FixedCodePage kFixedCodePages[] = {
    {932, {0x81, 0x9F, 0xE0, 0xFC}},
    {936, {0x81, 0xFE}},
    {949, {0x81, 0xFE}},
    {950, {0x81, 0xFE}},
    {1361, {0x81, 0xD3, 0xD8, 0xDE, 0xE0, 0xF9}},
};

const LeadByteRanges* FixedRanges(uint32_t codePage) {
  for (const FixedCodePage& row : kFixedCodePages) {
    if (row.CodePage == codePage) return &row.Ranges;
  }
  return nullptr;
}

LeadByteSet SetOf(const LeadByteRanges* ranges) {
  LeadByteSet set = {};
  for (uint32_t i = 0; ranges != nullptr && i + 1 < win::kMaxLeadBytes; i += 2) {
    const unsigned first = (*ranges)[i];
    const unsigned last = (*ranges)[i + 1];
    if (first == 0 && last == 0) break;
    // Byte 0 is never a lead byte: the NUL must end every text.
    for (unsigned b = first == 0 ? 1 : first; b <= last; ++b) set.Lead[b] = true;
  }
  return set;
}

}  // namespace

bool HasFixedLeadBytes(uint32_t codePage) { return FixedRanges(codePage) != nullptr; }

LeadByteSet LeadBytesFor(uint32_t codePage, const win::CpInfo* info) {
  const LeadByteRanges* ranges = FixedRanges(codePage);
  if (ranges == nullptr && info != nullptr && info->MaxCharSize > 1) ranges = &info->LeadByte;
  return SetOf(ranges);
}

void InitLeadByteSet() {
  const uint32_t codePage = win::GetACP();
  win::CpInfo info = {};
  const bool described = HasFixedLeadBytes(codePage) || win::GetCPInfo(codePage, &info) != 0;
  TheLeadByteSet = LeadBytesFor(codePage, described ? &info : nullptr);
}

const char* FindLastChar(const char* text, char target, const LeadByteSet& leads) {
  const char* found = nullptr;
  for (const char* p = text; *p != '\0'; ++p) {
    if (IsLeadByte(leads, *p)) {
      if (p[1] == '\0') break;
      ++p;  // the trail byte belongs to the double-byte character
    } else if (*p == target) {
      found = p;
    }
  }
  return found;
}

bool HasCharacter(const char* text, const LeadByteSet& leads) {
  return text[0] != '\0' && !(IsLeadByte(leads, text[0]) && text[1] == '\0');
}

size_t TextLength(const char* text) {
  size_t n = 0;
  while (text[n] != '\0') ++n;
  return n;
}

TextBuilder BeginText(char* data, size_t size) {
  data[0] = '\0';
  return TextBuilder{data, size, 0, true};
}

void AppendBytes(TextBuilder& text, const char* bytes, size_t count) {
  if (!text.Fits) return;
  if (count >= text.Size - text.Length) {  // the NUL needs one byte too
    text.Fits = false;
    return;
  }
  for (size_t i = 0; i < count; ++i) text.Data[text.Length + i] = bytes[i];
  text.Length += count;
  text.Data[text.Length] = '\0';
}

void AppendText(TextBuilder& text, const char* s) { AppendBytes(text, s, TextLength(s)); }

bool EndText(TextBuilder& text) {
  if (!text.Fits) {
    text.Data[0] = '\0';
    text.Length = 0;
  }
  return text.Fits;
}

bool CopyText(char* dst, size_t size, const char* src) { return JoinTexts(dst, size, &src, 1); }

bool JoinTexts(char* out, size_t size, const char* const* parts, size_t count) {
  TextBuilder text = BeginText(out, size);
  for (size_t i = 0; i < count; ++i) AppendText(text, parts[i]);
  return EndText(text);
}
