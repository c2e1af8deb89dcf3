#include "protocol/TCryptText.h"

#include <stdexcept>

namespace orvex {

bool TCryptText::Transform()
{
  if (includePwd_ || password_.empty()) return false;
  std::size_t k = 0;
  for (std::size_t i = 1; i <= text_.size(); ++i) {
    const auto keyByte = static_cast<unsigned char>(password_[k]);
    k = (k + 1) % password_.size();
    auto& byte = reinterpret_cast<unsigned char&>(text_[i - 1]);
    byte = static_cast<unsigned char>(byte ^ keyByte ^ (i % 256));
  }
  return true;
}

void TCryptText::Encrypt()
{
  if (!Transform()) throw std::runtime_error("Unable to crypt the string.");
}

void TCryptText::Decrypt()
{
  if (!Transform()) throw std::runtime_error("Unable to uncrypt the string.");
}

} // namespace orvex
