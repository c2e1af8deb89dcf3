#include "platform/IniFile.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <system_error>

namespace orvex {
namespace {

constexpr size_t npos = std::string::npos;

bool IsSpace(char c)
{
  return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string Trim(std::string_view s)
{
  size_t b = 0;
  size_t e = s.size();
  while (b < e && IsSpace(s[b]))
    ++b;
  while (e > b && IsSpace(s[e - 1]))
    --e;
  return std::string(s.substr(b, e - b));
}

char Lower(char c)
{
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

bool IsComment(std::string_view text)
{
  for (char c : text) {
    if (IsSpace(c)) continue;
    return c == ';' || c == '#';
  }
  return false;
}

// Section name of a header line "[name]", or nothing.
std::optional<std::string> HeaderName(std::string_view text)
{
  size_t b = 0;
  while (b < text.size() && IsSpace(text[b]))
    ++b;
  if (b >= text.size() || text[b] != '[') return std::nullopt;
  size_t close = text.find(']', b + 1);
  if (close == npos) return std::nullopt;
  return Trim(text.substr(b + 1, close - b - 1));
}

// Position of the '=' of a key line, or npos for comments and lines without a key.
size_t KeySeparator(std::string_view text)
{
  if (IsComment(text) || HeaderName(text)) return npos;
  size_t eq = text.find('=');
  if (eq == npos || Trim(text.substr(0, eq)).empty()) return npos;
  return eq;
}

std::string KeyName(std::string_view text, size_t eq)
{
  return Trim(text.substr(0, eq));
}

std::string LineValue(std::string_view text, size_t eq)
{
  std::string v = Trim(text.substr(eq + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return v;
}

// A value never spans lines: a line break would corrupt the file's structure.
std::string OneLine(const std::string& value)
{
  std::string v = value;
  for (char& c : v) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return v;
}

std::optional<int> ParseInt(const std::string& text)
{
  std::string t = Trim(text);
  if (t.empty()) return std::nullopt;
  const char* first = t.data();
  const char* last = t.data() + t.size();
  if (*first == '+') ++first;
  long long v = 0;
  auto [ptr, ec] = std::from_chars(first, last, v, 10);
  if (ec != std::errc() || ptr != last || v < std::numeric_limits<int>::min() ||
      v > std::numeric_limits<int>::max())
    return std::nullopt;
  return static_cast<int>(v);
}

} // namespace

IniFile::IniFile(std::string path) : path_(std::move(path))
{
  Reload();
}

IniFile::~IniFile()
{
  if (modified_) UpdateFile();
}

bool IniFile::Reload()
{
  lines_.clear();
  modified_ = false;
  std::error_code ec;
  if (!std::filesystem::exists(path_, ec)) return true;
  std::ifstream in(path_, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  const std::string data = buffer.str();
  size_t pos = 0;
  while (pos < data.size()) {
    size_t nl = data.find('\n', pos);
    Line line;
    if (nl == npos) {
      line.text = data.substr(pos);
      pos = data.size();
    } else {
      size_t end = nl;
      if (end > pos && data[end - 1] == '\r') {
        --end;
        line.eol = "\r\n";
      } else {
        line.eol = "\n";
      }
      line.text = data.substr(pos, end - pos);
      pos = nl + 1;
    }
    lines_.push_back(std::move(line));
  }
  return true;
}

size_t IniFile::FindSection(const std::string& name) const
{
  for (size_t i = 0; i < lines_.size(); ++i) {
    auto header = HeaderName(lines_[i].text);
    if (header && SameName(*header, Trim(name))) return i;
  }
  return npos;
}

size_t IniFile::SectionEnd(size_t header) const
{
  size_t i = header + 1;
  while (i < lines_.size() && !HeaderName(lines_[i].text))
    ++i;
  return i;
}

size_t IniFile::FindKey(size_t header, const std::string& key) const
{
  const size_t end = SectionEnd(header);
  const std::string wanted = Trim(key);
  for (size_t i = header + 1; i < end; ++i) {
    size_t eq = KeySeparator(lines_[i].text);
    if (eq != npos && SameName(KeyName(lines_[i].text, eq), wanted)) return i;
  }
  return npos;
}

std::string IniFile::NewLineEnding() const
{
  for (const Line& line : lines_) {
    if (!line.eol.empty()) return line.eol;
  }
  return "\n";
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& def) const
{
  size_t header = FindSection(section);
  if (header == npos) return def;
  size_t at = FindKey(header, key);
  if (at == npos) return def;
  return LineValue(lines_[at].text, KeySeparator(lines_[at].text));
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int def) const
{
  if (!ValueExists(section, key)) return def;
  return ParseInt(ReadString(section, key, std::string())).value_or(def);
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool def) const
{
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value)
{
  const std::string v = OneLine(value);
  const std::string k = OneLine(Trim(key));
  const std::string eol = NewLineEnding();
  modified_ = true;
  size_t header = FindSection(section);
  if (header == npos) {
    if (!lines_.empty()) {
      if (lines_.back().eol.empty()) lines_.back().eol = eol;
      if (!Trim(lines_.back().text).empty()) lines_.push_back({std::string(), eol});
    }
    lines_.push_back({"[" + OneLine(Trim(section)) + "]", eol});
    lines_.push_back({k + "=" + v, eol});
    return;
  }
  size_t at = FindKey(header, k);
  if (at != npos) {
    std::string& text = lines_[at].text;
    size_t eq = KeySeparator(text);
    size_t keep = eq + 1;
    while (keep < text.size() && IsSpace(text[keep]))
      ++keep;
    text = text.substr(0, keep) + v;
    return;
  }
  // New keys go after the section's last key, ahead of any comments or blank
  // lines that lead into the next section.
  size_t after = header;
  const size_t end = SectionEnd(header);
  for (size_t i = header + 1; i < end; ++i) {
    if (KeySeparator(lines_[i].text) != npos) after = i;
  }
  if (lines_[after].eol.empty()) lines_[after].eol = eol;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after + 1), Line{k + "=" + v, eol});
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value)
{
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseSection(const std::string& section)
{
  for (size_t header = FindSection(section); header != npos; header = FindSection(section)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
    modified_ = true;
  }
}

void IniFile::DeleteKey(const std::string& section, const std::string& key)
{
  size_t header = FindSection(section);
  if (header == npos) return;
  size_t at = FindKey(header, key);
  if (at == npos) return;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
  modified_ = true;
}

bool IniFile::SectionExists(const std::string& section) const
{
  return FindSection(section) != npos;
}

bool IniFile::ValueExists(const std::string& section, const std::string& key) const
{
  size_t header = FindSection(section);
  return header != npos && FindKey(header, key) != npos;
}

std::vector<std::string> IniFile::Sections() const
{
  std::vector<std::string> names;
  for (const Line& line : lines_) {
    auto header = HeaderName(line.text);
    if (!header) continue;
    bool seen = false;
    for (const std::string& n : names)
      seen = seen || SameName(n, *header);
    if (!seen) names.push_back(*header);
  }
  return names;
}

std::vector<std::string> IniFile::SectionKeys(const std::string& section) const
{
  std::vector<std::string> keys;
  size_t header = FindSection(section);
  if (header == npos) return keys;
  const size_t end = SectionEnd(header);
  for (size_t i = header + 1; i < end; ++i) {
    size_t eq = KeySeparator(lines_[i].text);
    if (eq != npos) keys.push_back(KeyName(lines_[i].text, eq));
  }
  return keys;
}

bool IniFile::UpdateFile()
{
  namespace fs = std::filesystem;
  std::string data;
  for (const Line& line : lines_)
    data += line.text + line.eol;
  // Write beside the target and rename, so a failed write never leaves a
  // truncated settings file behind.
  std::random_device rd;
  const std::string tmp = path_ + ".tmp" + std::to_string(rd() % 1000000);
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    out.flush();
    if (!out) {
      out.close();
      std::remove(tmp.c_str());
      return false;
    }
  }
  std::error_code ec;
  const fs::file_status old = fs::status(path_, ec);
  if (!ec && fs::exists(old)) fs::permissions(tmp, old.permissions(), ec);
  fs::rename(tmp, path_, ec);
  if (ec) {
    std::remove(tmp.c_str());
    return false;
  }
  modified_ = false;
  return true;
}

} // namespace orvex
