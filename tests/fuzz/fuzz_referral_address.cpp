// Any entries of the referral form: the address parses back to exactly the five friends
// (trimmed), the own address and the first name, and to no other query field.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/site.h"
#include "common/text.h"
#include "referral/FrmEmail.h"

namespace {

std::vector<std::string> Split(const std::string& s, char at) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t end; (end = s.find(at, start)) != std::string::npos; start = end + 1) {
    parts.push_back(s.substr(start, end - start));
  }
  parts.push_back(s.substr(start));
  return parts;
}

int Hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Strict decoding: anything but unreserved characters and "%XX" fails the property.
bool Decode(const std::string& in, std::string& out) {
  out.clear();
  for (size_t i = 0; i < in.size(); ++i) {
    const char c = in[i];
    if (c == '%') {
      if (i + 2 >= in.size()) return false;
      const int high = Hex(in[i + 1]), low = Hex(in[i + 2]);
      if (high < 0 || low < 0) return false;
      out += static_cast<char>(high * 16 + low);
      i += 2;
    } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '.' || c == '_' || c == '~' || c == '@') {
      out += c;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Seven entries, separated by NUL bytes.
  const auto fields = Split(std::string(reinterpret_cast<const char*>(data), size), '\0');
  if (fields.size() != 7) return 0;
  mt::referral::EmailEntries entries;
  for (size_t i = 0; i < 5; ++i) entries.friends[i] = fields[i];
  entries.your_email = fields[5];
  entries.first_name = fields[6];

  const std::string address = mt::referral::ReferralAddress(entries);
  const std::string prefix = mt::SiteUrl() + "/daradudeve.php?";
  if (address.compare(0, prefix.size(), prefix) != 0) __builtin_trap();
  const auto query = Split(address.substr(prefix.size()), '&');
  if (query.size() != 4 || query[0] != "s=7" || query[1].rfind("te=", 0) != 0 ||
      query[2].rfind("fe=", 0) != 0 || query[3].rfind("n=", 0) != 0) {
    __builtin_trap();
  }
  // Each field decodes to its entry, trimmed: the five friends, the own address, the name.
  auto encoded = Split(query[1].substr(3), ',');
  if (encoded.size() != 5) __builtin_trap();
  encoded.push_back(query[2].substr(3));
  encoded.push_back(query[3].substr(2));
  std::string decoded;
  for (size_t i = 0; i < 7; ++i) {
    if (!Decode(encoded[i], decoded) || decoded != mt::TrimSpaces(fields[i])) __builtin_trap();
  }
  return 0;
}
