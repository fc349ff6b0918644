// The Windows test program. Started as "<copy> --report-context <file>", a copy of it reports the
// launch context it derives for its own path; otherwise it runs the tests.
#include <gtest/gtest.h>

#include <string>

#include "launcher/launcher.h"
#include "tests/win/support.h"

namespace {

constexpr char kReportSwitch[] = "--report-context ";

int ReportContext(const char* file) {
  InitLaunchContext();
  const LaunchContext& c = TheLaunchContext;
  const std::string report = std::string(c.Usable ? "usable" : "unusable") + "\n" + c.ProgramDir +
                             "\n" + c.ProgramName + "\n" + c.SettingsPath + "\n" +
                             c.RegScriptPath + "\n";
  return wintest::WriteFileBytes(file, report) ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
  InitLeadByteSet();
  const std::string tail = GetCommandTail(GetCommandLineA(), TheLeadByteSet);
  if (tail.rfind(kReportSwitch, 0) == 0) return ReportContext(tail.c_str() + sizeof kReportSwitch - 1);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
