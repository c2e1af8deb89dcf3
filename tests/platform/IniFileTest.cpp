#include "platform/IniFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace orvex {
namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    dir_ = fs::temp_directory_path() /
           ("orvex-ini-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = (dir_ / "site.ini").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Put(const std::string& text)
  {
    std::ofstream out(path_, std::ios::binary);
    out << text;
  }
  std::string Get() const
  {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

  fs::path dir_;
  std::string path_;
};

// A file written by hand or by another program: mixed-case names, comments,
// blank lines, a line without "=", CR LF endings and no final line break.
const char* const kForeign = "; settings written elsewhere\r\n"
                             "\r\n"
                             "[settings]\r\n"
                             "  LASTUSED = Demo Site \r\n"
                             "# a comment inside\r\n"
                             "helpurl=\"http://help.example/\"\r\n"
                             "garbage line without separator\r\n"
                             "SelWidth=12px\r\n"
                             "\r\n"
                             "; about the site\r\n"
                             "[Demo Site]\r\n"
                             "SiteName=Demo Site\r\n"
                             "UseProxyServer=-3\r\n"
                             "ProxyPort=  8080  \r\n"
                             "Flag=TRUE";

TEST_F(IniFileTest, ReadsValuesOfAForeignFileByTheirRules)
{
  Put(kForeign);
  IniFile ini(path_);
  struct Case
  {
    const char* section;
    const char* key;
    const char* text; // ReadString with default "?"
    int number;       // ReadInteger with default 77
    bool flag;        // ReadBool with default true
  };
  const Case cases[] = {
      {"Settings", "LastUsed", "Demo Site", 77, true},           // case-insensitive, trimmed
      {"SETTINGS", "HelpURL", "http://help.example/", 77, true}, // quotes removed
      {"Settings", "SelWidth", "12px", 77, true},                // not a number: default
      {"demo site", "UseProxyServer", "-3", -3, true},           // any non-zero is true
      {"Demo Site", "ProxyPort", "8080", 8080, true},            // spaces around a number
      {"Demo Site", "Flag", "TRUE", 77, true},                   // text is not a boolean
      {"Demo Site", "Missing", "?", 77, true},                   // missing key: defaults
      {"Nowhere", "SiteName", "?", 77, true},                    // missing section
      {"Settings", "garbage line without separator", "?", 77, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(ini.ReadString(c.section, c.key, "?"), c.text);
    EXPECT_EQ(ini.ReadInteger(c.section, c.key, 77), c.number);
    EXPECT_EQ(ini.ReadBool(c.section, c.key, true), c.flag);
  }
  EXPECT_FALSE(ini.ReadBool("Settings", "SelWidth", false));
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"settings", "Demo Site"}));
  EXPECT_EQ(ini.SectionKeys("SETTINGS"),
            (std::vector<std::string>{"LASTUSED", "helpurl", "SelWidth"}));
}

TEST_F(IniFileTest, WritingOneKeyLeavesEveryOtherByteOfAForeignFile)
{
  Put(kForeign);
  struct Case
  {
    const char* section;
    const char* key;
    const char* value;
    std::string expected;
  };
  const std::string text = kForeign;
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string s = text;
    s.replace(s.find(from), from.size(), to);
    return s;
  };
  const Case cases[] = {
      // an existing key keeps its spelling and the spacing before its value
      {"SETTINGS", "lastused", "Other", replaced("LASTUSED = Demo Site ", "LASTUSED = Other")},
      // a new key goes after the section's last key, before the comment of the next section
      {"Settings", "HelpOnFloat", "1",
       replaced("SelWidth=12px\r\n", "SelWidth=12px\r\nHelpOnFloat=1\r\n")},
      // a new key at the end of a file without a final line break
      {"demo site", "User", "admin", text + "\r\nUser=admin\r\n"},
      // a new section is appended after a blank line
      {"System", "HtmlEdit", "true", text + "\r\n\r\n[System]\r\nHtmlEdit=true\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    Put(kForeign);
    {
      IniFile ini(path_);
      ini.WriteString(c.section, c.key, c.value);
      ASSERT_TRUE(ini.UpdateFile());
    }
    EXPECT_EQ(Get(), c.expected);
    IniFile again(path_);
    EXPECT_EQ(again.ReadString(c.section, c.key, "?"), c.value);
  }
}

TEST_F(IniFileTest, EraseSectionRemovesAllItsLinesAndKeepsTheRest)
{
  Put("[A]\nx=1\n; note\n[b]\ny=2\n[B]\nz=3\n[C]\nw=4\n");
  IniFile ini(path_);
  ini.EraseSection("B");
  ini.DeleteKey("c", "W");
  ASSERT_TRUE(ini.UpdateFile());
  EXPECT_EQ(Get(), "[A]\nx=1\n; note\n[C]\n");
  EXPECT_FALSE(ini.SectionExists("b"));
  EXPECT_TRUE(ini.SectionExists("c"));
}

TEST_F(IniFileTest, NumbersAndFlagsRoundTripAndWritesWaitForTheFlush)
{
  {
    IniFile ini(path_);
    ini.WriteBool("Settings", "Images", true);
    ini.WriteBool("Settings", "MultiUser", false);
    ini.WriteInteger("Settings", "SelWidth", -216);
    ini.WriteString("Settings", "Text", "two\r\nlines");
    EXPECT_TRUE(ini.Modified());
    EXPECT_FALSE(fs::exists(path_));
    ASSERT_TRUE(ini.UpdateFile());
  }
  EXPECT_EQ(Get(), "[Settings]\nImages=1\nMultiUser=0\nSelWidth=-216\nText=two  lines\n");
  IniFile ini(path_);
  EXPECT_TRUE(ini.ReadBool("settings", "images", false));
  EXPECT_FALSE(ini.ReadBool("settings", "multiuser", true));
  EXPECT_EQ(ini.ReadInteger("settings", "selwidth", 0), -216);
  EXPECT_EQ(ini.ReadInteger("settings", "text", 5), 5);
}

TEST_F(IniFileTest, DestructionFlushesAndAFailedFlushKeepsTheOldFile)
{
  {
    IniFile ini(path_);
    ini.WriteString("S", "k", "v");
  }
  EXPECT_EQ(Get(), "[S]\nk=v\n");

  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  IniFile ini(path_);
  ini.WriteString("S", "k", "changed");
  EXPECT_FALSE(ini.UpdateFile());
  fs::permissions(dir_, fs::perms::owner_all);
  EXPECT_EQ(Get(), "[S]\nk=v\n");
}

} // namespace
} // namespace orvex
