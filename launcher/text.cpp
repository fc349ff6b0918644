// ANSI text helpers: lead-byte sets, multibyte-aware search and bounded composition.
#include "launcher/text.h"

LeadByteSet TheLeadByteSet;

namespace {

struct ByteRange {
  uint8_t First;
  uint8_t Last;
};

struct FixedCodePage {
  uint32_t CodePage;
  ByteRange Ranges[3];  // unused entries are {0, 0}
};

constexpr FixedCodePage kFixedCodePages[] = {
    {932, {{0x81, 0x9F}, {0xE0, 0xFC}, {0, 0}}},
    {936, {{0x81, 0xFE}, {0, 0}, {0, 0}}},
    {949, {{0x81, 0xFE}, {0, 0}, {0, 0}}},
    {950, {{0x81, 0xFE}, {0, 0}, {0, 0}}},
    {1361, {{0x81, 0xD3}, {0xD8, 0xDE}, {0xE0, 0xF9}}},
};

const FixedCodePage* FindFixedCodePage(uint32_t codePage) {
  for (const FixedCodePage& row : kFixedCodePages) {
    if (row.CodePage == codePage) return &row;
  }
  return nullptr;
}

void MarkRange(LeadByteSet& set, unsigned first, unsigned last) {
  for (unsigned b = first; b != 0 && b <= last; ++b) set.Lead[b] = true;
}

}  // namespace

bool HasFixedLeadBytes(uint32_t codePage) { return FindFixedCodePage(codePage) != nullptr; }

LeadByteSet LeadBytesFor(uint32_t codePage, const win::CpInfo* info) {
  LeadByteSet set = {};
  if (const FixedCodePage* row = FindFixedCodePage(codePage)) {
    for (const ByteRange& r : row->Ranges) MarkRange(set, r.First, r.Last);
    return set;
  }
  if (info == nullptr || info->MaxCharSize <= 1) return set;
  for (uint32_t i = 0; i + 1 < win::kMaxLeadBytes; i += 2) {
    const uint8_t first = info->LeadByte[i];
    const uint8_t last = info->LeadByte[i + 1];
    if (first == 0 && last == 0) break;
    MarkRange(set, first, last);  // byte 0 is never a lead byte: the NUL must end every text
  }
  return set;
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

bool CopyText(char* dst, size_t size, const char* src) {
  TextBuilder text = BeginText(dst, size);
  AppendText(text, src);
  return EndText(text);
}
