// Host tests of the settings reader against the fake profile service.
#include <gtest/gtest.h>

#include "launcher/launcher.h"
#include "platform/fake.h"

namespace {

constexpr char kIni[] = "C:\\Drivers\\Brevlin.ini";

struct SettingsCase {
  const char* Name;
  bool FileExists;
  std::vector<fake::ProfileEntry> Profile;
  uint32_t SwapCmd, Setup;
  std::string CmdExe;
  uint32_t StaticRegFromFile;
};

TEST(ReadLauncherSettings, ReadsTheFourKeysAsTheyAre) {
  const SettingsCase kCases[] = {
      {"no file", false, {{"PARAMS", "SETUP", "1"}}, 0, 0, "SetupGRM.exe", 0},
      {"all on", true,
       {{"PARAMS", "SWAPCMD", "1"},
        {"PARAMS", "SETUP", "1"},
        {"PARAMS", "CMDEXE", "Tools\\Setup2.exe"},
        {"PARAMS", "STATICREGFROMFILE", "1"}},
       1, 1, "Tools\\Setup2.exe", 1},
      {"values stored as read", true, {{"PARAMS", "SETUP", "2"}, {"PARAMS", "SWAPCMD", "-1"}},
       0xFFFFFFFFu, 2, "SetupGRM.exe", 0},
      {"not a number", true, {{"PARAMS", "SETUP", "yes"}}, 0, 0, "SetupGRM.exe", 0},
      {"lower-case names", true, {{"params", "setup", "1"}}, 0, 1, "SetupGRM.exe", 0},
      {"other section", true, {{"OTHER", "SETUP", "1"}}, 0, 0, "SetupGRM.exe", 0},
      {"empty CMDEXE is no default", true, {{"PARAMS", "CMDEXE", ""}}, 0, 0, "", 0},
      {"long CMDEXE is cut to 259", true, {{"PARAMS", "CMDEXE", std::string(300, 'x')}}, 0, 0,
       std::string(259, 'x'), 0},
  };
  for (const SettingsCase& c : kCases) {
    fake::Reset();
    fake::Fake().ProfilePath = c.FileExists ? kIni : "C:\\Other\\Brevlin.ini";
    fake::Fake().Profile = c.Profile;
    const LauncherSettings s = ReadLauncherSettings(kIni);
    EXPECT_EQ(s.SwapCmd, c.SwapCmd) << c.Name;
    EXPECT_EQ(s.Setup, c.Setup) << c.Name;
    EXPECT_EQ(std::string(s.CmdExe), c.CmdExe) << c.Name;
    EXPECT_EQ(s.StaticRegFromFile, c.StaticRegFromFile) << c.Name;
    EXPECT_EQ(fake::Fake().ProfileReads,
              (std::vector<std::string>{"SWAPCMD", "SETUP", "CMDEXE", "STATICREGFROMFILE"}))
        << c.Name;
  }
}

}  // namespace
