// Profile (INI) text, with the lookup rules of the Win32 profile functions. The reader
// never changes the text; the writer changes only the one value it sets, so other
// sections, comments, blank lines and line endings survive byte for byte.
#include "portable/profile_text.h"

#include <optional>
#include <vector>

#include "portable/text_encoding.h"

namespace platform::profile_text {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// One physical line of the file: where its text lies and how it ends.
struct Line {
  size_t begin = 0;  // offset of the first byte of the line
  size_t end = 0;    // offset just past the text (before its line ending)
  size_t next = 0;   // offset of the next line
};

enum class LineKind { Blank, Comment, Section, Key };

struct ParsedLine {
  LineKind kind = LineKind::Blank;
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // key value, trimmed, quotes not yet removed
};

// Lines end with CRLF, LF or a lone CR, as the platform's profile functions read them.
std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    Line line;
    line.begin = pos;
    const size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      line.end = line.next = text.size();
    } else {
      line.end = end;
      const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
      line.next = end + (crlf ? 2 : 1);
    }
    lines.push_back(line);
    pos = line.next;
  }
  return lines;
}

ParsedLine Parse(std::string_view raw) {
  ParsedLine p;
  std::string_view s = Trim(raw);
  if (s.empty()) return p;
  if (s.front() == ';') {
    p.kind = LineKind::Comment;
    return p;
  }
  if (s.front() == '[') {
    p.kind = LineKind::Section;
    size_t close = s.find(']');
    p.name =
        Trim(s.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    return p;
  }
  p.kind = LineKind::Key;
  size_t eq = s.find('=');
  if (eq == std::string_view::npos) {
    p.name = s;  // a key with an empty value
  } else {
    p.name = Trim(s.substr(0, eq));
    p.value = Trim(s.substr(eq + 1));
  }
  return p;
}

std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

// Where a key lives in the file: the section's lines and, if present, the key's line.
struct Location {
  std::optional<size_t> section;  // index of the section header line
  size_t section_last = 0;        // index of the last non-blank line of the section
  std::optional<size_t> key;      // index of the key line
};

Location Find(std::string_view text, const std::vector<Line>& lines, std::string_view section,
              std::string_view key) {
  Location loc;
  for (size_t i = 0; i < lines.size(); ++i) {
    ParsedLine p = Parse(text.substr(lines[i].begin, lines[i].end - lines[i].begin));
    if (!loc.section) {
      if (p.kind == LineKind::Section && SameName(p.name, section)) {
        loc.section = i;
        loc.section_last = i;
      }
      continue;
    }
    if (p.kind == LineKind::Section) break;  // the first matching section only
    if (p.kind != LineKind::Blank) loc.section_last = i;
    if (p.kind == LineKind::Key && !loc.key && SameName(p.name, key)) loc.key = i;
  }
  return loc;
}

// The line ending new lines take: the file's first one, LF in a file without any.
std::string_view EndingOf(std::string_view text, const std::vector<Line>& lines) {
  for (const Line& l : lines) {
    if (l.next > l.end) return text.substr(l.end, l.next - l.end);
  }
  return "\n";
}

std::string UpdateBody(const std::string& text, std::string_view section, std::string_view key,
                       std::string_view value) {
  auto lines = SplitLines(text);
  const std::string eol(EndingOf(text, lines));
  const std::string entry = std::string(key) + "=" + std::string(value);

  Location loc = Find(text, lines, section, key);
  if (loc.key) {
    // Replace the value in place: keep the line's indentation, key spelling and ending.
    const Line& l = lines[*loc.key];
    std::string_view line(text.data() + l.begin, l.end - l.begin);
    size_t eq = line.find('=');
    std::string head = eq == std::string_view::npos
                           ? std::string(line.substr(0, line.find_last_not_of(" \t") + 1)) + "="
                           : std::string(line.substr(0, eq + 1));
    return text.substr(0, l.begin) + head + std::string(value) + text.substr(l.end);
  }
  if (loc.section) {
    // A new key goes right after the section's last non-blank line.
    const Line& last = lines[loc.section_last];
    std::string before = text.substr(0, last.next);
    if (last.next == last.end) before += eol;  // that line had no ending (end of file)
    return before + entry + eol + text.substr(last.next);
  }
  std::string result = text;
  if (!result.empty() && result.back() != '\n' && result.back() != '\r') result += eol;
  return result + "[" + std::string(section) + "]" + eol + entry + eol;
}

}  // namespace

std::optional<std::string> Lookup(const std::string& file_bytes, std::string_view section,
                                  std::string_view key) {
  const DecodedText file = DecodeText(file_bytes);
  const std::string_view text = file.text;
  auto lines = SplitLines(text);
  Location loc = Find(text, lines, section, key);
  if (!loc.key) return std::nullopt;
  const Line& l = lines[*loc.key];
  return std::string(Unquote(Parse(text.substr(l.begin, l.end - l.begin)).value));
}

std::string Update(const std::string& file_bytes, std::string_view section, std::string_view key,
                   std::string_view value) {
  DecodedText file = DecodeText(file_bytes);
  file.text = UpdateBody(file.text, section, key, value);
  return EncodeText(file);
}

}  // namespace platform::profile_text
