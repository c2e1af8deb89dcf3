#pragma once

#include <string>

namespace orvex {

// Scrambles a stored secret (the proxy password of site.ini) with a key. Without IncludePwd the
// transformation is its own inverse: byte i (from 1) XOR key byte (cycling) XOR (i mod 256).
class TCryptText
{
public:
  const std::string& Text() const { return text_; }
  void SetText(std::string value) { text_ = std::move(value); }
  const std::string& Password() const { return password_; }
  void SetPassword(std::string value) { password_ = std::move(value); }
  // Embedding the key in the text is not supported: with IncludePwd set both operations fail.
  bool IncludePwd() const { return includePwd_; }
  void SetIncludePwd(bool value) { includePwd_ = value; }

  // Scrambles Text in place; throws std::runtime_error "Unable to crypt the string." on failure
  // (an empty key among them).
  void Encrypt();
  // Unscrambles Text in place; throws std::runtime_error "Unable to uncrypt the string.".
  void Decrypt();

private:
  bool Transform();
  std::string text_;
  std::string password_;
  bool includePwd_ = false;
};

} // namespace orvex
