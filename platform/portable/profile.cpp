// Profile (INI) files, with the lookup rules of the Win32 profile functions, for both
// platforms. The reader never changes the file; the writer changes only the one value it
// sets and has the file replaced atomically, so other sections, comments, blank lines and
// line endings survive byte for byte and a crash never leaves half a file.
#include "platform/profile.h"

#include <optional>
#include <string>
#include <vector>

#include "portable/profile_file.h"

namespace platform {
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
  size_t end = 0;    // offset just past the text (before "\r\n" or "\n")
  size_t next = 0;   // offset of the next line
};

enum class LineKind { Blank, Comment, Section, Key };

struct ParsedLine {
  LineKind kind = LineKind::Blank;
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // key value, trimmed, quotes not yet removed
};

std::vector<Line> SplitLines(const std::string& text, size_t start) {
  std::vector<Line> lines;
  size_t pos = start;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    Line line;
    line.begin = pos;
    if (nl == std::string::npos) {
      line.end = text.size();
      line.next = text.size();
    } else {
      line.end = (nl > pos && text[nl - 1] == '\r') ? nl - 1 : nl;
      line.next = nl + 1;
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

size_t BodyStart(const std::string& text) {
  return text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // skip a UTF-8 byte-order mark
}

// Where a key lives in the file: the section's lines and, if present, the key's line.
struct Location {
  std::optional<size_t> section;  // index of the section header line
  size_t section_last = 0;        // index of the last non-blank line of the section
  std::optional<size_t> key;      // index of the key line
};

Location Find(const std::string& text, const std::vector<Line>& lines, std::string_view section,
              std::string_view key) {
  Location loc;
  for (size_t i = 0; i < lines.size(); ++i) {
    ParsedLine p =
        Parse(std::string_view(text).substr(lines[i].begin, lines[i].end - lines[i].begin));
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

}  // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view default_value, uint32_t buffer_size,
                                    const std::string& path) {
  std::string value(default_value);
  auto file = profile_file::Read(path);
  if (file.status == profile_file::Status::Read) {
    const std::string& text = file.bytes;
    auto lines = SplitLines(text, BodyStart(text));
    Location loc = Find(text, lines, section, key);
    if (loc.key) {
      const Line& l = lines[*loc.key];
      value = std::string(
          Unquote(Parse(std::string_view(text).substr(l.begin, l.end - l.begin)).value));
    }
  }
  size_t room = buffer_size == 0 ? 0 : buffer_size - 1;
  if (value.size() > room) value.resize(room);
  return value;
}

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::string& path) {
  auto file = profile_file::Read(path);
  if (file.status == profile_file::Status::Unreadable) return false;  // e.g. a directory
  std::string text = std::move(file.bytes);

  auto lines = SplitLines(text, BodyStart(text));
  // New lines end the way the file's lines do (CRLF when its first line does).
  std::string eol = "\n";
  if (!lines.empty() && lines[0].next > lines[0].end + 1) eol = "\r\n";
  std::string entry = std::string(key) + "=" + std::string(value);

  Location loc = Find(text, lines, section, key);
  std::string result;
  if (loc.key) {
    // Replace the value in place: keep the line's indentation, key spelling and ending.
    const Line& l = lines[*loc.key];
    std::string_view line(text.data() + l.begin, l.end - l.begin);
    size_t eq = line.find('=');
    std::string head = eq == std::string_view::npos
                           ? std::string(line.substr(0, line.find_last_not_of(" \t") + 1)) + "="
                           : std::string(line.substr(0, eq + 1));
    result = text.substr(0, l.begin) + head + std::string(value) + text.substr(l.end);
  } else if (loc.section) {
    // A new key goes right after the section's last non-blank line.
    const Line& last = lines[loc.section_last];
    std::string before = text.substr(0, last.next);
    if (last.next == last.end) before += eol;  // that line had no ending (end of file)
    result = before + entry + eol + text.substr(last.next);
  } else {
    result = text;
    if (!result.empty() && result.back() != '\n') result += eol;
    result += "[" + std::string(section) + "]" + eol + entry + eol;
  }
  return profile_file::Replace(path, result);
}

}  // namespace platform
