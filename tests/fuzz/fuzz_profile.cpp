// For any starting file, writing a key and reading it back gives the value written, and
// every other key of the file reads as before. The input is a key, a value and the file,
// separated by the first two NUL bytes; section and key are cut from the first part at
// its first '|'.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "portable/profile_text.h"
#include "portable/text_encoding.h"

namespace {

bool Blank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && Blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && Blank(s.back())) s.remove_suffix(1);
  return s;
}

// Names and values the writer can store so that the reader sees them as they are.
bool Storable(std::string_view s, bool name) {
  if (name && s.empty()) return false;
  if (!s.empty() && (Blank(s.front()) || Blank(s.back()))) return false;
  for (char c : s) {
    if (c == '\r' || c == '\n' || c == '\0') return false;
    if (static_cast<unsigned char>(c) >= 0x80) return false;  // plain ASCII: any encoding
    if (name && (c == '=' || c == ']' || c == '[')) return false;
  }
  if (name && s.front() == ';') return false;
  if (!name && s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front()) {
    return false;
  }
  return true;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return out;
}

// The (section, key) pairs a file holds, found crudely: every key line under the last
// section line before it. Taken from the file before and after the write, they cover every
// reading the write could have changed, at a cost linear in the lines.
void AddPairs(const std::string& bytes, std::set<std::pair<std::string, std::string>>& pairs) {
  const std::string file = platform::DecodeText(bytes).text;
  std::string section;
  size_t pos = 0;
  while (pos <= file.size()) {
    size_t end = file.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = file.size();
    const std::string_view line = Trim(std::string_view(file.data() + pos, end - pos));
    if (!line.empty() && line.front() == '[') {
      section = Lower(Trim(line.substr(1, line.find(']') - 1)));
    } else if (!line.empty()) {
      pairs.emplace(section, Lower(Trim(line.substr(0, line.find('=')))));
    }
    pos = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t first = input.find('\0');
  const size_t second = first == std::string::npos ? first : input.find('\0', first + 1);
  if (second == std::string::npos) return 0;
  const std::string_view names(input.data(), first);
  const size_t bar = names.find('|');
  if (bar == std::string_view::npos) return 0;
  const std::string_view section = names.substr(0, bar), key = names.substr(bar + 1);
  const std::string_view value(input.data() + first + 1, second - first - 1);
  const std::string file = input.substr(second + 1);
  if (!Storable(section, true) || !Storable(key, true) || !Storable(value, false)) return 0;

  namespace text = platform::profile_text;
  const std::string written = text::Update(file, section, key, value);
  const auto read = text::Lookup(written, section, key);
  if (!read || *read != value) __builtin_trap();
  // Written twice, the file is the same: the second write finds the key in place.
  if (text::Update(written, section, key, value) != written) __builtin_trap();

  std::set<std::pair<std::string, std::string>> pairs;
  AddPairs(file, pairs);
  AddPairs(written, pairs);
  for (const auto& [s, k] : pairs) {
    if (s == Lower(section) && k == Lower(key)) continue;
    if (text::Lookup(file, s, k) != text::Lookup(written, s, k)) __builtin_trap();
  }
  return 0;
}
