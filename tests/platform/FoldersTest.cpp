#include "platform/Folders.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace orvex {
namespace {

namespace fs = std::filesystem;

TEST(FoldersTest, ScratchFolderIsPrivateAndRemovedOnStop)
{
  ASSERT_TRUE(Folders::Start());
  const std::string temp = Folders::TempFolder();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '/');
  ASSERT_TRUE(Folders::Start()); // a second start keeps the same folder
  EXPECT_EQ(Folders::TempFolder(), temp);

  struct stat st
  {
  };
  ASSERT_EQ(::stat(temp.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  std::ofstream(temp + "scratch.bin") << "x";

  Folders::Stop();
  EXPECT_FALSE(fs::exists(temp));
  EXPECT_TRUE(Folders::TempFolder().empty());
  ASSERT_TRUE(Folders::Start());
  EXPECT_NE(Folders::TempFolder(), temp);
  Folders::Stop();
}

TEST(FoldersTest, SiteIniLivesInTheRememberedWorkingFolder)
{
  ASSERT_TRUE(Folders::Start());
  EXPECT_EQ(Folders::WorkingFolder(), Folders::WithSlash(fs::current_path().string()));
  const std::string before = Folders::WorkingFolder();
  Folders::SetWorkingFolder("/some/where");
  EXPECT_EQ(Folders::SiteIniPath(), "/some/where/site.ini");
  Folders::SetWorkingFolder(before);
  EXPECT_TRUE(fs::exists(Folders::ProgramFolder()));
  EXPECT_EQ(Folders::WithSlash("a/"), "a/");
  Folders::Stop();
}

} // namespace
} // namespace orvex
