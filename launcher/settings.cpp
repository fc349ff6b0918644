// The settings file: Brevlin's four switches from the section PARAMS of the INI beside it.
#include "launcher/launcher.h"

LauncherSettings ReadLauncherSettings(const char* settingsPath) {
  static const char kSection[] = "PARAMS";
  LauncherSettings settings = {};
  settings.SwapCmd = win::GetPrivateProfileIntA(kSection, "SWAPCMD", 0, settingsPath);
  settings.Setup = win::GetPrivateProfileIntA(kSection, "SETUP", 0, settingsPath);
  win::GetPrivateProfileStringA(kSection, "CMDEXE", "SetupGRM.exe", settings.CmdExe,
                                sizeof settings.CmdExe, settingsPath);
  settings.CmdExe[sizeof settings.CmdExe - 1] = '\0';
  settings.StaticRegFromFile =
      win::GetPrivateProfileIntA(kSection, "STATICREGFROMFILE", 0, settingsPath);
  return settings;
}
