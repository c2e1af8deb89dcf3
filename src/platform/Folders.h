#pragma once
// The program's folders: the working folder it was started in (where site.ini
// lives), the folder of the program file, and a private scratch folder that
// exists for the life of the program and is removed at exit.

#include <string>

namespace orvex {

class Folders
{
public:
  // Remembers the working and program folders and creates the scratch folder.
  // False when the scratch folder cannot be created. Calling it again is harmless.
  static bool Start();
  // Removes the scratch folder with everything in it. Also run at normal exit.
  static void Stop();

  // The working folder at Start, ending with "/".
  static std::string WorkingFolder();
  // The folder of the running program file, ending with "/".
  static std::string ProgramFolder();
  // The private scratch folder (mode 0700), ending with "/"; empty before Start.
  static std::string TempFolder();
  // site.ini in the working folder: the one settings file every window uses.
  static std::string SiteIniPath();

  // Replaces the remembered working folder (tests and embedding callers).
  static void SetWorkingFolder(const std::string& folder);

  // folder with "/" appended when it does not already end with one.
  static std::string WithSlash(const std::string& folder);
};

} // namespace orvex
