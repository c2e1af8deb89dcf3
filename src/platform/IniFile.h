#pragma once
// INI settings store with the semantics of a private-profile file: section and
// key names match without regard to ASCII case, booleans are written 1/0 and
// read as any non-zero integer, a number that does not parse reads as the
// default. Lines the store does not change (other keys, comments, blank and
// unknown lines, line endings) are written back byte for byte.

#include <string>
#include <vector>

namespace orvex {

class IniFile
{
public:
  // Opens the file at path and reads it; a missing file is an empty store.
  explicit IniFile(std::string path);
  // Flushes pending writes (errors ignored; call UpdateFile to see them).
  ~IniFile();

  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  // Path of the file.
  const std::string& Path() const { return path_; }
  // Re-reads the file, dropping unflushed writes. False when it exists but cannot be read.
  bool Reload();

  // Value of key in section, without surrounding quotes; def when the key is missing.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const;
  // Decimal value of key; def when missing or not a number.
  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  // True for any integer other than 0; def when missing or not a number.
  bool ReadBool(const std::string& section, const std::string& key, bool def) const;

  // Sets key in section, adding the section or key when missing.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  // Writes value in decimal.
  void WriteInteger(const std::string& section, const std::string& key, int value);
  // Writes 1 or 0.
  void WriteBool(const std::string& section, const std::string& key, bool value);

  // Removes every section of that name with all its lines.
  void EraseSection(const std::string& section);
  // Removes key from section.
  void DeleteKey(const std::string& section, const std::string& key);

  // Whether a section of that name exists.
  bool SectionExists(const std::string& section) const;
  // Whether key exists in section.
  bool ValueExists(const std::string& section, const std::string& key) const;
  // Section names in file order, each once, spelled as in the file.
  std::vector<std::string> Sections() const;
  // Key names of section in file order, spelled as in the file.
  std::vector<std::string> SectionKeys(const std::string& section) const;

  // Writes pending changes to the file (through a temporary file beside it). False on failure.
  bool UpdateFile();
  // Whether there are writes not yet flushed.
  bool Modified() const { return modified_; }

private:
  struct Line
  {
    std::string text; // without the line ending
    std::string eol;  // "\r\n", "\n", or "" for a last line without ending
  };

  // Index of the header line of the first section called name, or npos.
  size_t FindSection(const std::string& name) const;
  // End (exclusive) of the section whose header is at header.
  size_t SectionEnd(size_t header) const;
  // Index of the key line in the section at header, or npos.
  size_t FindKey(size_t header, const std::string& key) const;
  // The line ending used for new lines.
  std::string NewLineEnding() const;

  std::string path_;
  std::vector<Line> lines_;
  bool modified_ = false;
};

} // namespace orvex
