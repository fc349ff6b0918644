// Host tests of the command tail and of the three composed command texts.
#include <gtest/gtest.h>

#include "launcher/launcher.h"
#include "tests/host/support.h"

namespace {

struct TailCase {
  const char* Name;
  uint32_t CodePage;
  std::string CommandLine;
  std::string Tail;
};

TEST(GetCommandTail, DropsTheProgramTokenAndTheBlanksAfterIt) {
  const TailCase kCases[] = {
      {"one switch", 0, "C:\\Drivers\\Brevlin.exe /q", "/q"},
      {"no arguments", 0, "C:\\Drivers\\Brevlin.exe", ""},
      {"empty", 0, "", ""},
      {"quoted name with a blank", 0, "\"C:\\My Setup\\Brevlin.exe\"  /s /v", "/s /v"},
      {"quoted folder with a blank", 0, "\"C:\\a b\\l.exe\" x y", "x y"},
      {"tab separates", 0, "l.exe\t/q", "/q"},
      {"quote inside the token", 0, "C:\\Drivers\\Brevlin.exe\"x y\" /q", "/q"},
      {"quote never closed", 0, "\"a b c", ""},
      {"trailing blanks kept", 0, "l.exe /q  ", "/q  "},
      {"only blanks after the name", 0, "l.exe   ", ""},
      {"quotes in the tail untouched", 0, "l.exe a \"b c\"  d", "a \"b c\"  d"},
      {"text right after the closing quote", 0, "\"l.exe\"a b", "b"},
      {"quoted name, blanks around the tail", 0, "\"l.exe\"   a  ", "a  "},
      {"control bytes are blanks", 0, "l.exe \x01\x02\x1F x", "x"},
      {"bytes from 0x80 are not blanks", 0, "X\x82\xA0Y z", "z"},
      {"932: double-byte character in the token", 932, "X\x82\xA0Y z", "z"},
      {"932: a lead byte takes any byte", 932, "X\x81 Y", ""},
      {"no lead bytes: the same blank separates", 0, "X\x81 Y", "Y"},
      {"932: lead byte before the NUL", 932, "X\x82", ""},
      {"932: tail of one lead byte", 932, "X \x82", "\x82"},
  };
  for (const TailCase& c : kCases) {
    const std::vector<char> line = Exact(c.CommandLine);
    EXPECT_EQ(Shown(GetCommandTail(line.data(), Leads(c.CodePage))), Shown(c.Tail)) << c.Name;
  }
  EXPECT_STREQ(GetCommandTail(nullptr, Leads(0)), "") << "no command line";
}

LaunchContext ContextFor(const char* modulePath) {
  LaunchContext context;
  DeriveLaunchContext(modulePath, Leads(932), context);
  return context;
}

LauncherSettings SettingsWith(uint32_t swapCmd, const std::string& cmdExe) {
  LauncherSettings settings = {};
  settings.SwapCmd = swapCmd;
  settings.Setup = 1;
  EXPECT_TRUE(CopyText(settings.CmdExe, sizeof settings.CmdExe, cmdExe.c_str()));
  return settings;
}

struct SetupPathCase {
  const char* Name;
  const char* ModulePath;
  uint32_t SwapCmd;
  std::string CmdExe;
  std::string Expected;
};

TEST(ComposeSetupPath, AppendsTheNameToTheProgramFolder) {
  const SetupPathCase kCases[] = {
      {"Setup.exe", "C:\\Drivers\\Brevlin.exe", 0, "SetupGRM.exe", "C:\\Drivers\\Setup.exe"},
      {"CMDEXE default", "C:\\Drivers\\Brevlin.exe", 1, "SetupGRM.exe",
       "C:\\Drivers\\SetupGRM.exe"},
      {"CMDEXE in a subfolder", "C:\\Drivers\\Brevlin.exe", 1, "Tools\\Setup2.exe",
       "C:\\Drivers\\Tools\\Setup2.exe"},
      {"SWAPCMD 2 is off", "C:\\Drivers\\Brevlin.exe", 2, "Tools\\Setup2.exe",
       "C:\\Drivers\\Setup.exe"},
      {"drive letter appended unchanged", "C:\\Drivers\\Brevlin.exe", 1, "D:\\Setup.exe",
       "C:\\Drivers\\D:\\Setup.exe"},
      {"empty CMDEXE", "C:\\Drivers\\Brevlin.exe", 1, "", "C:\\Drivers\\"},
      {"drive root: one backslash", "C:\\Brevlin.exe", 0, "", "C:\\Setup.exe"},
  };
  for (const SetupPathCase& c : kCases) {
    char out[kCommandLineSize];
    EXPECT_TRUE(ComposeSetupPath(ContextFor(c.ModulePath), SettingsWith(c.SwapCmd, c.CmdExe), out,
                                 sizeof out))
        << c.Name;
    EXPECT_EQ(std::string(out), c.Expected) << c.Name;
  }
}

struct SetupCommandCase {
  const char* Name;
  uint32_t CodePage;
  std::string Tail;
  std::string Expected;
};

TEST(ComposeSetupCommand, QuotesThePathAndHandsOnTheTail) {
  const SetupCommandCase kCases[] = {
      {"tail", 0, "/q", "\"C:\\Drivers\\Setup.exe\" /q"},
      {"no tail", 0, "", "\"C:\\Drivers\\Setup.exe\""},
      {"tail as it came", 0, "a \"b c\"\t d  ", "\"C:\\Drivers\\Setup.exe\" a \"b c\"\t d  "},
      {"932: a lone lead byte is no character", 932, "\x82", "\"C:\\Drivers\\Setup.exe\""},
      {"no lead bytes: 0x82 is a character", 0, "\x82", "\"C:\\Drivers\\Setup.exe\" \x82"},
  };
  for (const SetupCommandCase& c : kCases) {
    char out[kCommandLineSize];
    EXPECT_TRUE(ComposeSetupCommand("C:\\Drivers\\Setup.exe", Exact(c.Tail).data(),
                                    Leads(c.CodePage), out, sizeof out))
        << c.Name;
    EXPECT_EQ(Shown(out), Shown(c.Expected)) << c.Name;
  }
}

TEST(ComposeRegImportCommand, QuotesTheScriptPath) {
  char out[kCommandLineSize];
  ASSERT_TRUE(ComposeRegImportCommand(ContextFor("C:\\Drivers\\Brevlin.exe"), out, sizeof out));
  EXPECT_STREQ(out, "regedit /s \"C:\\Drivers\\Brevlin.reg\"");
}

// Long texts: what the fixed 260-byte fields cannot hold reaches the command-line buffers whole,
// and what even those cannot hold is refused, never cut.
TEST(ComposeLongTexts, FitWholeOrAreRefused) {
  static char out[kCommandLineSize];
  // Registry script paths of 246 and 247 bytes: the command is 259 and 260 bytes long.
  for (size_t length : {246u, 247u}) {
    const std::string exe = "C:\\" + std::string(length - 7, 'r') + ".exe";
    const LaunchContext context = ContextFor(exe.c_str());
    ASSERT_EQ(TextLength(context.RegScriptPath), length);
    char small[win::kMaxPath];
    EXPECT_EQ(ComposeRegImportCommand(context, small, sizeof small), length == 246) << length;
    ASSERT_TRUE(ComposeRegImportCommand(context, out, sizeof out)) << length;
    EXPECT_EQ(std::string(out), "regedit /s \"" + std::string(context.RegScriptPath) + "\"");
  }

  // A 259-byte CMDEXE below a 252-byte folder: a 512-byte setup path, whole.
  const std::string dir = "C:\\" + std::string(249, 'd');
  const std::string cmdExe(259, 'c');
  const LaunchContext deep = ContextFor((dir + "\\B.exe").c_str());
  ASSERT_TRUE(deep.Usable);
  ASSERT_TRUE(ComposeSetupPath(deep, SettingsWith(1, cmdExe), out, sizeof out));
  EXPECT_EQ(std::string(out), dir + "\\" + cmdExe);

  // Tails: 32,000 bytes byte for byte; the longest that fits; one byte more is refused.
  const std::string path = "C:\\Drivers\\Setup.exe";
  const size_t room = sizeof out - 1 - (path.size() + 3);
  struct TailCase {
    size_t Length;
    bool Fits;
  };
  for (const TailCase c : {TailCase{32000, true}, TailCase{room, true}, TailCase{room + 1, false}}) {
    std::string tail(c.Length, 'a');
    for (size_t i = 0; i < tail.size(); ++i) tail[i] = static_cast<char>(0x21 + i % 0xDE);
    const std::vector<char> exact = Exact(tail);
    EXPECT_EQ(ComposeSetupCommand(path.c_str(), exact.data(), Leads(0), out, sizeof out), c.Fits)
        << c.Length;
    EXPECT_EQ(std::string(out), c.Fits ? "\"" + path + "\" " + tail : "") << c.Length;
  }
}

}  // namespace
