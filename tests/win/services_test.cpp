// Windows tests of Brevlin's logic on the real services: profile files, module paths, code page 932.
#include <gtest/gtest.h>

#include <string>

#include "launcher/launcher.h"
#include "tests/win/support.h"

namespace {

struct ProfileCase {
  const char* Name;
  bool Write;  // false: no settings file at all
  std::string Ini;
  uint32_t SwapCmd, Setup;
  std::string CmdExe;
  uint32_t StaticRegFromFile;
};

TEST(ProfileServices, ReadLauncherSettingsOnRealFiles) {
  const std::string kLong(300, 'x');
  const ProfileCase kCases[] = {
      {"missing file", false, "", 0, 0, "SetupGRM.exe", 0},
      {"missing section", true, "[OTHER]\r\nSETUP=1\r\n", 0, 0, "SetupGRM.exe", 0},
      {"missing key", true, "[PARAMS]\r\nSWAPCMD=1\r\n", 1, 0, "SetupGRM.exe", 0},
      {"all on", true,
       "[PARAMS]\r\nSWAPCMD=1\r\nSETUP=1\r\nCMDEXE=Tools\\Setup2.exe\r\nSTATICREGFROMFILE=1\r\n", 1,
       1, "Tools\\Setup2.exe", 1},
      {"lower-case names", true, "[params]\r\nsetup=1\r\ncmdexe=a.exe\r\n", 0, 1, "a.exe", 0},
      {"SETUP=2", true, "[PARAMS]\r\nSETUP=2\r\n", 0, 2, "SetupGRM.exe", 0},
      {"SETUP=yes", true, "[PARAMS]\r\nSETUP=yes\r\n", 0, 0, "SetupGRM.exe", 0},
      {"SETUP=-1", true, "[PARAMS]\r\nSETUP=-1\r\n", 0, 0xFFFFFFFFu, "SetupGRM.exe", 0},
      {"blanks around 1", true, "[PARAMS]\r\nSETUP= 1 \r\n", 0, 1, "SetupGRM.exe", 0},
      {"LF line ends", true, "[PARAMS]\nSETUP=1\nSWAPCMD=1\n", 1, 1, "SetupGRM.exe", 0},
      {"empty CMDEXE", true, "[PARAMS]\r\nCMDEXE=\r\n", 0, 0, "", 0},
      {"300-byte CMDEXE is cut", true, "[PARAMS]\r\nCMDEXE=" + kLong + "\r\n", 0, 0,
       kLong.substr(0, 259), 0},
  };
  const std::string dir = wintest::ScratchDir("profile");
  int index = 0;
  for (const ProfileCase& c : kCases) {
    const std::string path = dir + "\\case" + std::to_string(index++) + ".ini";
    if (c.Write) {
      ASSERT_TRUE(wintest::WriteFileBytes(path, c.Ini)) << c.Name;
    }
    const LauncherSettings s = ReadLauncherSettings(path.c_str());
    EXPECT_EQ(s.SwapCmd, c.SwapCmd) << c.Name;
    EXPECT_EQ(s.Setup, c.Setup) << c.Name;
    EXPECT_EQ(std::string(s.CmdExe), c.CmdExe) << c.Name;
    EXPECT_EQ(s.StaticRegFromFile, c.StaticRegFromFile) << c.Name;
  }
}

// Copies this test program to dir\name, runs the copy so that it derives its own launch context,
// and returns the report's lines.
std::string ContextReportOfCopy(const std::string& dir, const std::string& name) {
  const std::string copy = dir + "\\" + name;
  const std::string report = dir + "\\report.txt";
  if (!CopyFileA(wintest::SelfPath().c_str(), copy.c_str(), FALSE)) return "copy failed";
  const long code = wintest::RunToEnd(copy, "\"" + copy + "\" --report-context " + report);
  std::string text;
  if (code != 0 || !wintest::ReadFileBytes(report, &text)) return "run failed";
  return text;
}

TEST(ModulePath, CopyInAFolderWithBlanks) {
  const std::string dir = wintest::ScratchDir("with blanks") + "\\My Package";
  ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
  EXPECT_EQ(ContextReportOfCopy(dir, "Brevlin Copy.exe"),
            "usable\n" + dir + "\n" + "Brevlin Copy.exe\n" + dir + "\\Brevlin Copy.ini\n" + dir +
                "\\Brevlin Copy.reg\n");
}

// Runs only with the ANSI code page 932 (LANG=ja_JP.UTF-8): a folder and a file name holding the
// character 0x95 0x5C, whose second byte is a backslash.
TEST(CodePage932, SplitsAtTheRealSeparatorOnly) {
  ASSERT_EQ(GetACP(), 932u) << "run this test with LANG=ja_JP.UTF-8";
  const std::string dir = wintest::ScratchDir("cp932") + "\\pkg\x95\x5C";
  ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
  EXPECT_EQ(ContextReportOfCopy(dir, "b\x95\x5C.exe"),
            "usable\n" + dir + "\n" + "b\x95\x5C.exe\n" + dir + "\\b\x95\x5C.ini\n" + dir +
                "\\b\x95\x5C.reg\n");
}

}  // namespace
