#include "protocol/TCryptText.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace orvex {
namespace {

std::string Scrambled(const std::string& text, const std::string& key)
{
  TCryptText crypt;
  crypt.SetPassword(key);
  crypt.SetText(text);
  crypt.Encrypt();
  return crypt.Text();
}

TEST(TCryptTextTest, EachByteIsXoredWithTheCyclingKeyAndItsPosition)
{
  // "ab" with key "vobel": ('a' ^ 'v' ^ 1), ('b' ^ 'o' ^ 2).
  const std::string expected{static_cast<char>('a' ^ 'v' ^ 1), static_cast<char>('b' ^ 'o' ^ 2)};
  EXPECT_EQ(Scrambled("ab", "vobel"), expected);
  // Byte 6 uses the key's first byte again.
  EXPECT_EQ(Scrambled("xxxxxx", "vobel")[5], static_cast<char>('x' ^ 'v' ^ 6));
}

TEST(TCryptTextTest, Position257IsCombinedWithOneAgainAndRoundTripKeepsZeroBytes)
{
  // A one-byte key isolates the position term: bytes 1 and 257 scramble alike.
  const std::string text(300, 'q');
  const std::string s = Scrambled(text, "k");
  EXPECT_EQ(s[0], s[256]);
  EXPECT_NE(s[0], s[1]);

  // 0x77 ^ 'v' ^ 1 is 0: the scrambled text starts with a NUL byte.
  std::string secret = std::string("\x77", 1) + std::string("o\x02", 2) + "salasana";
  TCryptText crypt;
  crypt.SetPassword("vobel");
  crypt.SetText(secret);
  crypt.Encrypt();
  EXPECT_NE(crypt.Text().find('\0'), std::string::npos);
  crypt.Decrypt();
  EXPECT_EQ(crypt.Text(), secret);
}

TEST(TCryptTextTest, AnEmptyKeyFailsWithTheOperationsMessage)
{
  TCryptText crypt;
  crypt.SetText("x");
  try {
    crypt.Encrypt();
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Unable to crypt the string.");
  }
  try {
    crypt.Decrypt();
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Unable to uncrypt the string.");
  }
  EXPECT_EQ(crypt.Text(), "x");
}

} // namespace
} // namespace orvex
