// Helpers for the Windows tests: scratch folders, files, and running a program to its end.
#pragma once

#include <windows.h>

#include <string>

namespace wintest {

// A fresh, empty folder under the temporary folder, unique to this process and `name`.
std::string ScratchDir(const std::string& name);

bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool ReadFileBytes(const std::string& path, std::string* bytes);

// The running test program's own path.
std::string SelfPath();

// Starts `commandLine` (application name `application` when not empty) in `currentDir` (the
// caller's when empty); with `show` >= 0 the start-up information imposes that show state, with
// an inheritable `output` the child's standard output and error go there. Returns the process
// handle, or nullptr when it could not be started.
HANDLE Start(const std::string& application, const std::string& commandLine,
             const std::string& currentDir = "", int show = -1, HANDLE output = nullptr);

// Waits for `process` to end, closes it and returns its exit code.
long WaitExit(HANDLE process);

// Runs `commandLine` in `currentDir` with its standard output going to `output`, waits, and
// returns its exit code; -1 when it could not be started.
long RunCapturingOutput(const std::string& commandLine, const std::string& currentDir,
                        std::string* output);

// Runs `commandLine` (application name `application` when not empty) in `currentDir` (the
// caller's when empty), waits, and returns its exit code; -1 when it could not be started.
long RunToEnd(const std::string& application, const std::string& commandLine,
              const std::string& currentDir = "");

}  // namespace wintest
