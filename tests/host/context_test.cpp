// Host tests of the launch context: splitting the module path and deriving the companion paths.
#include <gtest/gtest.h>

#include "launcher/launcher.h"
#include "platform/fake.h"
#include "tests/host/support.h"

namespace {

struct ContextCase {
  const char* Name;
  uint32_t CodePage;
  std::string ModulePath;
  std::string Dir, Program, Settings, RegScript;
};

TEST(DeriveLaunchContext, SplitsAndDerivesCompanions) {
  const ContextCase kCases[] = {
      {"folder", 0, "C:\\Drivers\\Brevlin.exe", "C:\\Drivers", "Brevlin.exe",
       "C:\\Drivers\\Brevlin.ini", "C:\\Drivers\\Brevlin.reg"},
      {"drive root", 0, "C:\\Brevlin.exe", "C:", "Brevlin.exe", "C:\\Brevlin.ini", "C:\\Brevlin.reg"},
      {"UNC", 0, "\\\\server\\share\\Brevlin.exe", "\\\\server\\share", "Brevlin.exe",
       "\\\\server\\share\\Brevlin.ini", "\\\\server\\share\\Brevlin.reg"},
      {"only the last extension", 0, "C:\\D\\Brevlin.new.exe", "C:\\D", "Brevlin.new.exe",
       "C:\\D\\Brevlin.new.ini", "C:\\D\\Brevlin.new.reg"},
      {"no full stop", 0, "C:\\D\\Brevlin", "C:\\D", "Brevlin", "C:\\D\\Brevlin.ini",
       "C:\\D\\Brevlin.reg"},
      {"full stop only in a folder", 0, "C:\\Setup.old\\Launch", "C:\\Setup.old", "Launch",
       "C:\\Setup.ini", "C:\\Setup.reg"},
      {"renamed", 0, "C:\\D\\Install.exe", "C:\\D", "Install.exe", "C:\\D\\Install.ini",
       "C:\\D\\Install.reg"},
      {"no backslash", 0, "Brevlin.exe", "Brevlin.exe", "Brevlin.exe", "Brevlin.ini",
       "Brevlin.reg"},
      {"932: 0x5C trail bytes in folder and name", 932, "C:\\\x95\x5C\\\x95\x5C.exe",
       "C:\\\x95\x5C", "\x95\x5C.exe", "C:\\\x95\x5C\\\x95\x5C.ini", "C:\\\x95\x5C\\\x95\x5C.reg"},
      {"case kept", 0, "c:\\drivers\\BREVLIN.EXE", "c:\\drivers", "BREVLIN.EXE",
       "c:\\drivers\\BREVLIN.ini", "c:\\drivers\\BREVLIN.reg"},
  };
  for (const ContextCase& c : kCases) {
    LaunchContext context;
    DeriveLaunchContext(Exact(c.ModulePath).data(), Leads(c.CodePage), context);
    EXPECT_TRUE(context.Usable) << c.Name;
    EXPECT_EQ(Shown(context.ProgramDir), Shown(c.Dir)) << c.Name;
    EXPECT_EQ(Shown(context.ProgramName), Shown(c.Program)) << c.Name;
    EXPECT_EQ(Shown(context.SettingsPath), Shown(c.Settings)) << c.Name;
    EXPECT_EQ(Shown(context.RegScriptPath), Shown(c.RegScript)) << c.Name;
  }
}

// A module path of exactly `length` bytes ending in the file name `name`.
std::string PathOfLength(size_t length, const std::string& name) {
  return "C:\\" + std::string(length - 4 - name.size(), 'd') + "\\" + name;
}

// Found by fuzzing: a path given whole (as brevlin-plan gives one) of 260 bytes or more was taken
// as usable when each field on its own fitted.
TEST(DeriveLaunchContext, RefusesAPathOf260BytesOrMore) {
  for (size_t length : {259u, 260u, 300u}) {
    const std::string path = "C:\\" + std::string(200, 'd') + "\\n.e" + std::string(length - 207, 'x');
    ASSERT_EQ(path.size(), length);
    LaunchContext context;
    DeriveLaunchContext(path.c_str(), Leads(0), context);
    EXPECT_EQ(context.Usable, length < 260) << length;
  }
}

struct FetchCase {
  const char* Name;
  bool Fails;
  std::string ModulePath;
  bool Usable;
};

TEST(InitLaunchContext, MarksAPathThatCannotBeFetchedWholeUnusable) {
  const FetchCase kCases[] = {
      {"ordinary", false, "C:\\Drivers\\Brevlin.exe", true},
      {"fetch fails", true, "C:\\Drivers\\Brevlin.exe", false},
      {"259 bytes fits", false, PathOfLength(259, "Brevlin.exe"), true},
      {"260 bytes is cut", false, PathOfLength(260, "Brevlin.exe"), false},
      {"far too long", false, PathOfLength(400, "Brevlin.exe"), false},
      {"255 bytes, no full stop: .ini fits", false, PathOfLength(255, "Brevlin"), true},
      {"256 bytes, no full stop: .ini does not fit", false, PathOfLength(256, "Brevlin"), false},
  };
  for (const FetchCase& c : kCases) {
    fake::Reset();
    fake::Fake().ModulePath = c.ModulePath;
    fake::Fake().ModulePathFails = c.Fails;
    InitLaunchContext();
    const LaunchContext& context = TheLaunchContext;
    EXPECT_EQ(context.Usable, c.Usable) << c.Name;
    if (c.Usable) {
      EXPECT_EQ(std::string(context.ProgramDir) + "\\" + context.ProgramName, c.ModulePath) << c.Name;
    } else {
      // Nothing cut is kept: an unusable context holds no text at all.
      EXPECT_STREQ(context.ProgramDir, "") << c.Name;
      EXPECT_STREQ(context.ProgramName, "") << c.Name;
      EXPECT_STREQ(context.SettingsPath, "") << c.Name;
      EXPECT_STREQ(context.RegScriptPath, "") << c.Name;
    }
  }
}

}  // namespace
