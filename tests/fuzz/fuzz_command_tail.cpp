// Fuzz target: GetCommandTail, FindLastChar and HasCharacter under every kind of lead-byte set,
// checked against an independent walk over the characters.
#include <stdio.h>

#include "launcher/launcher.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in{data, size};
  const LeadByteSet leads = PickLeadBytes(in);
  const std::string line = in.Text(1 << 16);
  char* copy = ExactCopy(line);

  // The tail is a suffix of the command line that starts after the program-name token and blanks.
  const char* tail = GetCommandTail(copy, leads);
  FUZZ_CHECK(tail >= copy && tail <= copy + line.size());
  const size_t at = static_cast<size_t>(tail - copy);
  FUZZ_CHECK(at == line.size() || static_cast<unsigned char>(line[at]) > 0x20);
  // The token ends at the first blank outside quotes that starts a character.
  size_t tokenEnd = line.size();
  bool quoted = false;
  for (size_t start : CharacterStarts(line, leads)) {
    const unsigned char c = static_cast<unsigned char>(line[start]);
    if (c <= 0x20 && !quoted) {
      tokenEnd = start;
      break;
    }
    if (c == '"') quoted = !quoted;
  }
  size_t expected = tokenEnd;
  while (expected < line.size() && static_cast<unsigned char>(line[expected]) <= 0x20) ++expected;
  FUZZ_CHECK(at == expected);

  // A second byte of a double-byte character is never found as a separator or a full stop.
  for (char target : {'\\', '.'}) {
    const char* found = FindLastChar(copy, target, leads);
    const size_t reference = LastSingle(line, target, leads);
    FUZZ_CHECK(found == nullptr ? reference == std::string::npos
                                : static_cast<size_t>(found - copy) == reference);
  }
  FUZZ_CHECK(HasCharacter(copy, leads) == !CharacterStarts(line, leads).empty());
  free(copy);
  return 0;
}
