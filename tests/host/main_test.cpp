// Host tests of the main routine against the fake platform: the order of the steps, what each
// child is started with, and the paths on which nothing may start.
#include <gtest/gtest.h>
#include <string.h>

#include "launcher/main.h"
#include "platform/fake.h"
#include "tests/host/support.h"

namespace {

constexpr char kExe[] = "C:\\Drivers\\Brevlin.exe";
constexpr char kIni[] = "C:\\Drivers\\Brevlin.ini";
constexpr char kSetup[] = "C:\\Drivers\\Setup.exe";
constexpr char kSystemEditor[] = "C:\\Windows\\system32\\regedit.exe";
constexpr char kWindowsEditor[] = "C:\\Windows\\regedit.exe";
constexpr char kImport[] = "regedit /s \"C:\\Drivers\\Brevlin.reg\"";

// A machine with Brevlin at kExe, the given settings, both registry editors and Setup.exe.
void Machine(std::vector<fake::ProfileEntry> profile) {
  fake::Reset();
  fake::State& s = fake::Fake();
  s.ModulePath = kExe;
  s.ProfilePath = kIni;
  s.Profile = std::move(profile);
  s.Files = {kSystemEditor, kWindowsEditor, kSetup};
  TheLeadByteSet = Leads(932);
}

int RunBrevlin(const char* tail = "") { return WinMain(nullptr, nullptr, tail, 10); }

struct Start {
  std::string Application;  // empty: none
  std::string CommandLine;
};

std::vector<Start> Starts() {
  std::vector<Start> starts;
  for (const fake::ProcessStart& s : fake::Fake().Starts) {
    starts.push_back({s.HasApplicationName ? s.ApplicationName : "", s.CommandLine});
  }
  return starts;
}

bool operator==(const Start& a, const Start& b) {
  return a.Application == b.Application && a.CommandLine == b.CommandLine;
}

void PrintTo(const Start& s, std::ostream* os) { *os << "{" << s.Application << ", " << s.CommandLine << "}"; }

struct RunCase {
  const char* Name;
  std::vector<fake::ProfileEntry> Profile;
  std::string Tail;
  std::vector<Start> Expected;
};

TEST(WinMain, StartsWhatTheSettingsSayInOrder) {
  const std::string quoted = std::string("\"") + kSetup + "\"";
  const RunCase kCases[] = {
      {"no settings", {}, "/q", {}},
      {"setup", {{"PARAMS", "SETUP", "1"}}, "", {{"", quoted}}},
      {"setup with a tail", {{"PARAMS", "SETUP", "1"}}, "/q  \"a b\" ", {{"", quoted + " /q  \"a b\" "}}},
      {"setup 2 is off", {{"PARAMS", "SETUP", "2"}}, "", {}},
      {"import only", {{"PARAMS", "STATICREGFROMFILE", "1"}}, "/q", {{kSystemEditor, kImport}}},
      {"import, then setup",
       {{"PARAMS", "STATICREGFROMFILE", "1"}, {"PARAMS", "SETUP", "1"}},
       "/q",
       {{kSystemEditor, kImport}, {"", quoted + " /q"}}},
      {"swapcmd", {{"PARAMS", "SETUP", "1"}, {"PARAMS", "SWAPCMD", "1"}}, "",
       {{"", "\"C:\\Drivers\\SetupGRM.exe\""}}},
  };
  for (const RunCase& c : kCases) {
    Machine(c.Profile);
    EXPECT_EQ(RunBrevlin(c.Tail.c_str()), 0) << c.Name;
    EXPECT_EQ(Starts(), c.Expected) << c.Name;
    EXPECT_EQ(fake::Fake().MutexRequests, std::vector<std::string>{"Brevlin.exe"}) << c.Name;
  }
}

TEST(WinMain, StartsEachChildPlainlyAndWaitsForIt) {
  Machine({{"PARAMS", "STATICREGFROMFILE", "1"}, {"PARAMS", "SETUP", "1"}});
  ASSERT_EQ(RunBrevlin(), 0);
  const fake::State& s = fake::Fake();
  ASSERT_EQ(s.Starts.size(), 2u);
  for (const fake::ProcessStart& start : s.Starts) {
    EXPECT_TRUE(start.SecurityAttributesNull);
    EXPECT_EQ(start.InheritHandles, 0);
    EXPECT_EQ(start.CreationFlags, 0u);
    EXPECT_TRUE(start.EnvironmentNull);
    EXPECT_TRUE(start.CurrentDirectoryNull);
    win::StartupInfo empty = {};
    empty.Cb = sizeof empty;
    EXPECT_EQ(memcmp(&start.Startup, &empty, sizeof empty), 0) << "start-up information not empty";
  }
  ASSERT_EQ(s.Waits.size(), 2u);
  for (const fake::WaitCall& wait : s.Waits) EXPECT_EQ(wait.Milliseconds, win::kInfinite);
  EXPECT_NE(s.Waits[0].Handle, s.Waits[1].Handle);
}

struct NothingCase {
  const char* Name;
  void (*Arrange)(fake::State&);
  bool ReadsSettings;
};

TEST(WinMain, StartsNothingWhereNothingMayStart) {
  const NothingCase kCases[] = {
      {"second instance", [](fake::State& s) { s.Mutexes = {"Brevlin.exe"}; }, false},
      {"module path cannot be fetched", [](fake::State& s) { s.ModulePathFails = true; }, false},
      {"module path too long",
       [](fake::State& s) { s.ModulePath = "C:\\" + std::string(300, 'd') + "\\Brevlin.exe"; },
       false},
      {"failed lock creation goes on, setup missing",
       [](fake::State& s) {
         s.MutexFails = true;
         s.Files.erase(kSetup);
       },
       true},
  };
  for (const NothingCase& c : kCases) {
    Machine({{"PARAMS", "SETUP", "1"}});
    c.Arrange(fake::Fake());
    EXPECT_EQ(RunBrevlin("/q"), 0) << c.Name;
    std::vector<fake::ProcessStart> started;
    for (const fake::ProcessStart& s : fake::Fake().Starts) {
      if (s.Started) started.push_back(s);
    }
    EXPECT_TRUE(started.empty()) << c.Name;
    EXPECT_TRUE(fake::Fake().Waits.empty()) << c.Name;
    EXPECT_EQ(!fake::Fake().ProfileReads.empty(), c.ReadsSettings) << c.Name;
  }
}

TEST(WinMain, RefusesASetupCommandLineThatDoesNotFit) {
  Machine({{"PARAMS", "STATICREGFROMFILE", "1"}, {"PARAMS", "SETUP", "1"}});
  const std::string tail(kCommandLineSize, 'a');
  EXPECT_EQ(RunBrevlin(tail.c_str()), 0);
  EXPECT_EQ(Starts(), (std::vector<Start>{{kSystemEditor, kImport}}));
}

struct EditorCase {
  const char* Name;
  std::set<std::string> Files;
  std::string SystemDirectory;
  std::string Expected;  // empty: the import is skipped
};

TEST(FindRegistryEditor, SearchesTheSystemFoldersOnly) {
  const EditorCase kCases[] = {
      {"system folder first", {kSystemEditor, kWindowsEditor}, "C:\\Windows\\system32", kSystemEditor},
      {"then the Windows folder", {kWindowsEditor}, "C:\\Windows\\system32", kWindowsEditor},
      {"nowhere", {"C:\\Drivers\\regedit.exe"}, "C:\\Windows\\system32", ""},
      {"a folder in the root", {"C:\\regedit.exe"}, "C:\\", "C:\\regedit.exe"},
      {"932: folder ending in a trail byte 0x5C", {"C:\\\x95\x5C\\regedit.exe"}, "C:\\\x95\x5C",
       "C:\\\x95\x5C\\regedit.exe"},
      {"system folder cannot be had whole", {kWindowsEditor}, std::string(300, 's'), kWindowsEditor},
  };
  for (const EditorCase& c : kCases) {
    Machine({});
    fake::Fake().Files = c.Files;
    fake::Fake().SystemDirectory = c.SystemDirectory;
    char editor[win::kMaxPath];
    EXPECT_EQ(FindRegistryEditor(editor), !c.Expected.empty()) << c.Name;
    EXPECT_EQ(Shown(editor), Shown(c.Expected)) << c.Name;
  }
}

TEST(WinMain, SkipsTheImportWithoutASystemRegistryEditor) {
  Machine({{"PARAMS", "STATICREGFROMFILE", "1"}, {"PARAMS", "SETUP", "1"}});
  fake::Fake().Files = {kSetup, "C:\\Drivers\\regedit.exe"};
  EXPECT_EQ(RunBrevlin(), 0);
  EXPECT_EQ(Starts(), (std::vector<Start>{{"", std::string("\"") + kSetup + "\""}}));
}

}  // namespace
