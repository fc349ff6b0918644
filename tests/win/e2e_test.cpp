// End-to-end tests: the real Brevlin twin, the real registry editor and the stand-in setup
// program, all under Wine. Each scenario lays out a fresh package folder, runs Brevlin, and reads
// what the stand-in recorded, the registry and the exit code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/support.h"

namespace {

using wintest::ReadFileBytes;
using wintest::ScratchDir;
using wintest::WriteFileBytes;

std::string BinDir() {
  const std::string self = wintest::SelfPath();
  return self.substr(0, self.rfind('\\'));
}

std::string Unhex(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return out;
}

// One start of the stand-in, as it recorded it.
struct Record {
  std::string Program, CommandLine, Cwd, RegValue;
  unsigned long Flags = 0, Show = 0;
  bool Ended = false;
};

std::vector<Record> ReadRecords(const std::string& log) {
  std::string text;
  std::vector<Record> records;
  if (!ReadFileBytes(log, &text)) return records;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = text.find('\n', pos);
    const std::string line = text.substr(pos, end - pos);
    pos = end == std::string::npos ? text.size() : end + 1;
    const size_t eq = line.find('=');
    const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    if (key == "program") records.emplace_back();
    if (records.empty()) continue;
    Record& r = records.back();
    if (key == "program") r.Program = Unhex(value);
    if (key == "cmdline") r.CommandLine = Unhex(value);
    if (key == "cwd") r.Cwd = Unhex(value);
    if (key == "flags") r.Flags = std::stoul(value);
    if (key == "show") r.Show = std::stoul(value);
    if (key == "regvalue") r.RegValue = value;
    if (key == "ended") r.Ended = true;
  }
  return records;
}

// What lies in a package folder besides the launcher.
struct Layout {
  std::string ExeName = "Brevlin.exe";
  const char* Ini = nullptr;                       // nullptr: no settings file
  bool Reg = false;                                // a registry script that sets the package's value
  std::vector<std::string> Programs = {"Setup.exe"};  // stand-in copies, relative to the folder
};

struct Package {
  std::string Dir, Exe, Log, RegValue;
};

std::string RegScriptFor(const std::string& value) {
  return "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\BrevlinTest]\r\n\"" +
         value + "\"=\"imported\"\r\n";
}

bool RegValuePresent(const std::string& value) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\BrevlinTest", 0, KEY_READ, &key) != 0) {
    return false;
  }
  const LONG found = RegQueryValueExA(key, value.c_str(), nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return found == 0;
}

void DeleteRegValue(const std::string& value) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\BrevlinTest", 0, KEY_SET_VALUE, &key) == 0) {
    RegDeleteValueA(key, value.c_str());
    RegCloseKey(key);
  }
}

// Lays out `dir` (created when missing) as a package. Its registry value is named after the
// folder (without the double-byte characters that some tests put in it), and removed first.
Package MakePackageIn(const std::string& dir, const Layout& layout) {
  CreateDirectoryA(dir.c_str(), nullptr);
  Package p;
  p.Dir = dir;
  p.Exe = dir + "\\" + layout.ExeName;
  p.Log = dir + "\\standin.log";
  for (const char c : dir.substr(dir.rfind("brevlin-"))) {
    if (c >= 0x20 && c < 0x7F && c != '\\') p.RegValue += c;
  }
  DeleteRegValue(p.RegValue);
  CopyFileA((BinDir() + "\\Brevlin.exe").c_str(), p.Exe.c_str(), FALSE);
  const std::string base = p.Exe.substr(0, p.Exe.rfind('.'));
  if (layout.Ini != nullptr) WriteFileBytes(base + ".ini", layout.Ini);
  if (layout.Reg) WriteFileBytes(base + ".reg", RegScriptFor(p.RegValue));
  for (const std::string& program : layout.Programs) {
    const size_t slash = program.rfind('\\');
    if (slash != std::string::npos) CreateDirectoryA((dir + "\\" + program.substr(0, slash)).c_str(), nullptr);
    CopyFileA((BinDir() + "\\standin.exe").c_str(), (dir + "\\" + program).c_str(), FALSE);
  }
  return p;
}

Package MakePackage(const std::string& name, const Layout& layout) {
  return MakePackageIn(ScratchDir(name), layout);
}

// Sets what the stand-ins started from now on do: where they record, how long they sleep, how
// they exit, and which registry value they look for.
void ConfigureStandin(const Package& p, int sleepMs = 0, int exitCode = 0) {
  SetEnvironmentVariableA("BREVLIN_STANDIN_LOG", p.Log.c_str());
  SetEnvironmentVariableA("BREVLIN_STANDIN_SLEEP_MS", std::to_string(sleepMs).c_str());
  SetEnvironmentVariableA("BREVLIN_STANDIN_EXIT", std::to_string(exitCode).c_str());
  SetEnvironmentVariableA("BREVLIN_STANDIN_REGVALUE", p.RegValue.c_str());
}

std::string CommandLineFor(const Package& p, const std::string& tail,
                           const std::string& separator = " ", bool quoted = true) {
  const std::string program = quoted ? "\"" + p.Exe + "\"" : p.Exe;
  return program + (tail.empty() ? "" : separator + tail);
}

HANDLE StartBrevlin(const Package& p, const std::string& tail = "", const std::string& cwd = "",
                    int show = -1) {
  return wintest::Start(p.Exe, CommandLineFor(p, tail), cwd, show);
}

long RunBrevlin(const Package& p, const std::string& tail = "") {
  return wintest::WaitExit(StartBrevlin(p, tail));
}

// Waits up to ten seconds for the stand-in to record `count` starts.
bool AwaitRecords(const Package& p, size_t count) {
  for (int i = 0; i < 200 && ReadRecords(p.Log).size() < count; ++i) Sleep(50);
  return ReadRecords(p.Log).size() >= count;
}

std::string ExpectedSetupCommand(const Package& p, const std::string& program,
                                 const std::string& tail) {
  return "\"" + p.Dir + "\\" + program + "\"" + (tail.empty() ? "" : " " + tail);
}

struct Scenario {
  const char* Name;
  Layout Files;
  std::string Tail;
  int StandinExit;
  std::vector<std::string> Started;  // programs expected to start, in order
  bool Imported;
};

TEST(Scenarios, StartWhatTheSettingsSayAndExitWithZero) {
  const char* kSetup = "[PARAMS]\r\nSETUP=1\r\n";
  const char* kBoth = "[PARAMS]\r\nSETUP=1\r\nSTATICREGFROMFILE=1\r\n";
  const Scenario kScenarios[] = {
      {"no-ini", {}, "", 0, {}, false},
      {"setup", {"Brevlin.exe", kSetup}, "", 0, {"Setup.exe"}, false},
      {"setup-tail", {"Brevlin.exe", kSetup}, "/q /x", 0, {"Setup.exe"}, false},
      {"swapcmd-default",
       {"Brevlin.exe", "[PARAMS]\r\nSETUP=1\r\nSWAPCMD=1\r\n", false, {"Setup.exe", "SetupGRM.exe"}},
       "",
       0,
       {"SetupGRM.exe"},
       false},
      {"swapcmd-cmdexe",
       {"Brevlin.exe", "[PARAMS]\r\nSETUP=1\r\nSWAPCMD=1\r\nCMDEXE=Tools\\Setup2.exe\r\n", false,
        {"Setup.exe", "Tools\\Setup2.exe"}},
       "/a",
       0,
       {"Tools\\Setup2.exe"},
       false},
      {"setup-2", {"Brevlin.exe", "[PARAMS]\r\nSETUP=2\r\n"}, "", 0, {}, false},
      {"setup-yes", {"Brevlin.exe", "[PARAMS]\r\nSETUP=yes\r\n"}, "", 0, {}, false},
      {"swapcmd-alone", {"Brevlin.exe", "[PARAMS]\r\nSWAPCMD=1\r\n"}, "", 0, {}, false},
      {"cmdexe-empty",
       {"Brevlin.exe", "[PARAMS]\r\nSETUP=1\r\nSWAPCMD=1\r\nCMDEXE=\r\n"}, "", 0, {}, false},
      {"import-only", {"Brevlin.exe", "[PARAMS]\r\nSTATICREGFROMFILE=1\r\n", true}, "", 0, {},
       true},
      {"import-then-setup", {"Brevlin.exe", kBoth, true}, "", 0, {"Setup.exe"}, true},
      {"import-missing-reg", {"Brevlin.exe", kBoth, false}, "", 0, {"Setup.exe"}, false},
      {"setup-exits-7", {"Brevlin.exe", kSetup}, "", 7, {"Setup.exe"}, false},
      {"setup-missing", {"Brevlin.exe", kSetup, false, {}}, "", 0, {}, false},
  };
  for (const Scenario& s : kScenarios) {
    const Package p = MakePackage(s.Name, s.Files);
    ConfigureStandin(p, 200, s.StandinExit);
    EXPECT_EQ(RunBrevlin(p, s.Tail), 0) << s.Name;
    const std::vector<Record> records = ReadRecords(p.Log);
    ASSERT_EQ(records.size(), s.Started.size()) << s.Name;
    for (size_t i = 0; i < records.size(); ++i) {
      EXPECT_EQ(records[i].CommandLine, ExpectedSetupCommand(p, s.Started[i], s.Tail)) << s.Name;
      EXPECT_TRUE(records[i].Ended) << s.Name << ": Brevlin ended before its setup program";
      // The import has ended before the setup program starts.
      EXPECT_EQ(records[i].RegValue, s.Imported ? "present" : "absent") << s.Name;
    }
    EXPECT_EQ(RegValuePresent(p.RegValue), s.Imported) << s.Name;
  }
}

struct TailCase {
  const char* Name;
  std::string Separator;  // between Brevlin's own path and the tail
  std::string Tail;
  bool Quoted = true;     // whether Brevlin's own path is quoted
};

void ExpectTailsHandedOn(const std::string& dir, const std::vector<TailCase>& cases) {
  const Package p = MakePackageIn(dir, {"Brevlin.exe", "[PARAMS]\r\nSETUP=1\r\n"});
  ConfigureStandin(p);
  for (const TailCase& c : cases) {
    DeleteFileA(p.Log.c_str());
    EXPECT_EQ(wintest::WaitExit(wintest::Start(p.Exe, CommandLineFor(p, c.Tail, c.Separator, c.Quoted))), 0)
        << c.Name;
    const std::vector<Record> records = ReadRecords(p.Log);
    ASSERT_EQ(records.size(), 1u) << c.Name;
    EXPECT_TRUE(records[0].CommandLine == ExpectedSetupCommand(p, "Setup.exe", c.Tail))
        << c.Name << ": got " << records[0].CommandLine.size() << " bytes";
  }
}

TEST(Tails, HandedOnByteForByte) {
  std::string longTail(32000, 'x');
  for (size_t i = 50; i < longTail.size(); i += 100) longTail[i] = ' ';
  longTail[1] = 'y';
  ExpectTailsHandedOn(ScratchDir("tails") + "\\My Package", {
      {"one switch", " ", "/q"},
      {"tab after the program", "\t", "/q"},
      {"two blanks between switches", " ", "/s  /v"},
      {"tabs inside", " ", "a\tb\t\tc"},
      {"quotes inside", " ", "/dir=\"C:\\Program Files\\X\" \"a\"\"b\" \\\""},
      {"trailing blanks", " ", "/q   "},
      {"32,000 bytes", " ", longTail},
  });
}

TEST(Children, RunInTheCallersFolderWithEmptyStartupInformation) {
  const Package p = MakePackage("cwd", {"Brevlin.exe", "[PARAMS]\r\nSETUP=1\r\n"});
  const std::string caller = ScratchDir("caller");
  ConfigureStandin(p);
  EXPECT_EQ(wintest::WaitExit(StartBrevlin(p, "", caller, SW_SHOWMINIMIZED)), 0);
  const std::vector<Record> records = ReadRecords(p.Log);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].Cwd, caller);
  EXPECT_EQ(records[0].Flags, 0u);
  EXPECT_EQ(records[0].Show, 0u);
}

TEST(SingleInstance, ASecondStartWhileTheFirstWaitsEndsAtOnce) {
  const Package p = MakePackage("second", {"Brevlin.exe", "[PARAMS]\r\nSETUP=1\r\n"});
  ConfigureStandin(p, 3000);
  HANDLE first = StartBrevlin(p);
  ASSERT_TRUE(AwaitRecords(p, 1));
  EXPECT_EQ(RunBrevlin(p), 0);
  EXPECT_EQ(WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_TIMEOUT))
      << "the second start should end while the first still waits";
  EXPECT_EQ(wintest::WaitExit(first), 0);
  EXPECT_EQ(ReadRecords(p.Log).size(), 1u);
}

TEST(SingleInstance, TwentyAtOnceRunTheSetupOnce) {
  const Package p = MakePackage("twenty", {"Brevlin.exe", "[PARAMS]\r\nSETUP=1\r\n"});
  ConfigureStandin(p, 3000);
  std::vector<HANDLE> launchers;
  for (int i = 0; i < 20; ++i) launchers.push_back(StartBrevlin(p));
  for (HANDLE h : launchers) {
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(wintest::WaitExit(h), 0);
  }
  EXPECT_EQ(ReadRecords(p.Log).size(), 1u);
}

TEST(SingleInstance, TheLockIsTheFileName) {
  const char* kSetup = "[PARAMS]\r\nSETUP=1\r\n";
  const Package first = MakePackage("lock-first", {"Brevlin.exe", kSetup});
  const Package renamed = MakePackage("lock-renamed", {"Install.exe", kSetup});
  const Package sameName = MakePackage("lock-same-name", {"Brevlin.exe", kSetup});
  const Package otherCase = MakePackage("lock-other-case", {"BREVLIN.exe", kSetup});
  ConfigureStandin(first, 3000);
  HANDLE running = StartBrevlin(first);
  ASSERT_TRUE(AwaitRecords(first, 1));
  struct Case {
    const Package* Copy;
    size_t Runs;
  };
  for (const Case c : {Case{&renamed, 1}, Case{&sameName, 0}, Case{&otherCase, 1}}) {
    ConfigureStandin(*c.Copy);
    EXPECT_EQ(RunBrevlin(*c.Copy), 0) << c.Copy->Exe;
    EXPECT_EQ(ReadRecords(c.Copy->Log).size(), c.Runs) << c.Copy->Exe;
  }
  EXPECT_EQ(wintest::WaitExit(running), 0);
}

TEST(RegistryEditor, APlantedRegeditIsNotRun) {
  const Package p = MakePackage(
      "planted", {"Brevlin.exe", "[PARAMS]\r\nSTATICREGFROMFILE=1\r\n", true, {"regedit.exe"}});
  const std::string caller = ScratchDir("planted-caller");
  CopyFileA((BinDir() + "\\standin.exe").c_str(), (caller + "\\regedit.exe").c_str(), FALSE);
  ConfigureStandin(p);
  EXPECT_EQ(wintest::WaitExit(StartBrevlin(p, "", caller)), 0);
  EXPECT_EQ(ReadRecords(p.Log).size(), 0u) << "a planted regedit.exe ran";
  EXPECT_TRUE(RegValuePresent(p.RegValue)) << "the system's registry editor did not import";
}

TEST(Plan, ShowsTheSetupCommandLineThatBrevlinRuns) {
  const Package p = MakePackage("plan", {"Brevlin.exe", "[PARAMS]\r\nSETUP=1\r\n"});
  const std::string tail = "/s  \"a b\"\t";
  std::string shown;
  EXPECT_EQ(wintest::RunCapturingOutput(
                "\"" + BinDir() + "\\brevlin-plan.exe\" \"" + p.Exe + "\" --  " + tail, p.Dir, &shown),
            0)
      << shown;
  ConfigureStandin(p);
  EXPECT_EQ(RunBrevlin(p, tail), 0);
  const std::vector<Record> records = ReadRecords(p.Log);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_NE(shown.find("  command           " + records[0].CommandLine + "\n"), std::string::npos)
      << "brevlin-plan showed:\n" << shown << "Brevlin ran: " << records[0].CommandLine;
}

// Runs only with the ANSI code page 932 (LANG=ja_JP.UTF-8).
TEST(CodePage932, PackageFolderAndTailWithDoubleByteCharacters) {
  ASSERT_EQ(GetACP(), 932u) << "run this test with LANG=ja_JP.UTF-8";
  const std::string dir = ScratchDir("cp932") + "\\pkg\x95\x5C";
  const Package p = MakePackageIn(dir, {"Brevlin.exe",
                                        "[PARAMS]\r\nSETUP=1\r\nSTATICREGFROMFILE=1\r\n", true});
  ConfigureStandin(p);
  const std::string tail = "/dir=\"C:\\\x95\x5C\" \x82\xA0 \x95\x5C";
  EXPECT_EQ(RunBrevlin(p, tail), 0);
  const std::vector<Record> records = ReadRecords(p.Log);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].CommandLine, ExpectedSetupCommand(p, "Setup.exe", tail));
  EXPECT_EQ(records[0].RegValue, "present");
  // Bytes from 0x80 in Brevlin's own unquoted path do not end its program token.
  ExpectTailsHandedOn(ScratchDir("cp932-tails") + "\\\x82\xA0\x95\x5C", {
      {"double-byte tail", " ", "\x82\xA0\x95\x5C"},
      {"double-byte program token", " ", "/q \x82\xA0", false},
  });
}

}  // namespace
