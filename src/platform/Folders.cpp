#include "platform/Folders.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <unistd.h>

namespace orvex {
namespace {

struct State
{
  std::mutex mutex;
  std::string working;
  std::string program;
  std::string temp;
  bool exitHook = false;
};

State& Shared()
{
  static State* state = new State; // outlives every static destructor
  return *state;
}

void StopAtExit()
{
  Folders::Stop();
}

std::string CurrentFolder()
{
  std::error_code ec;
  auto cwd = std::filesystem::current_path(ec);
  return ec ? std::string("./") : Folders::WithSlash(cwd.string());
}

std::string ExecutableFolder()
{
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return CurrentFolder();
  return Folders::WithSlash(exe.parent_path().string());
}

} // namespace

std::string Folders::WithSlash(const std::string& folder)
{
  if (!folder.empty() && folder.back() == '/') return folder;
  return folder + "/";
}

bool Folders::Start()
{
  State& s = Shared();
  std::lock_guard lock(s.mutex);
  if (s.working.empty()) s.working = CurrentFolder();
  if (s.program.empty()) s.program = ExecutableFolder();
  if (!s.temp.empty()) return true;
  const char* env = std::getenv("TMPDIR");
  std::error_code ec;
  std::string base = env && *env ? env : std::filesystem::temp_directory_path(ec).string();
  if (base.empty()) base = "/tmp";
  std::string pattern = WithSlash(base) + "orvex-XXXXXX";
  // mkdtemp makes a fresh folder only the user can enter, so scratch files
  // cannot collide with or be raced by other programs.
  if (!mkdtemp(pattern.data())) return false;
  s.temp = WithSlash(pattern);
  if (!s.exitHook) {
    s.exitHook = true;
    std::atexit(StopAtExit);
  }
  return true;
}

void Folders::Stop()
{
  State& s = Shared();
  std::lock_guard lock(s.mutex);
  if (s.temp.empty()) return;
  std::error_code ec;
  std::filesystem::remove_all(s.temp, ec);
  s.temp.clear();
}

std::string Folders::WorkingFolder()
{
  State& s = Shared();
  std::lock_guard lock(s.mutex);
  return s.working.empty() ? CurrentFolder() : s.working;
}

std::string Folders::ProgramFolder()
{
  State& s = Shared();
  std::lock_guard lock(s.mutex);
  return s.program.empty() ? ExecutableFolder() : s.program;
}

std::string Folders::TempFolder()
{
  State& s = Shared();
  std::lock_guard lock(s.mutex);
  return s.temp;
}

std::string Folders::SiteIniPath()
{
  return WorkingFolder() + "site.ini";
}

void Folders::SetWorkingFolder(const std::string& folder)
{
  State& s = Shared();
  std::lock_guard lock(s.mutex);
  s.working = WithSlash(folder);
}

} // namespace orvex
