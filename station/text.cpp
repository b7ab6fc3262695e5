// Device bytes as JSON strings. JSON text is UTF-8, the unit's values are
// whatever bytes its entries hold: valid UTF-8 goes through unchanged
// (control characters and CR escaped by JSON), anything else is carried
// byte for byte as the characters U+0000-U+00FF, and the member is named in
// the object's "latin1" list so that a reader can take the bytes back.
#include "station.h"

static bool validUtf8(const std::string &s)
{
  size_t i = 0, n = s.size();

  while (i < n) {
    unsigned char c = s[i];
    size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > n) return false;
    unsigned cp = len == 1 ? c : c & (0x7f >> len);
    for (size_t k = 1; k < len; k++) {
      unsigned char d = s[i + k];
      if ((d >> 6) != 2) return false;
      cp = cp << 6 | (d & 0x3f);
    }
    // overlong forms, surrogates and numbers past U+10FFFF are not UTF-8
    static const unsigned least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < least[len] || (cp >= 0xd800 && cp < 0xe000) || cp > 0x10ffff) return false;
    i += len;
  }
  return true;
}

static std::string latin1(const std::string &bytes)
{
  std::string s;

  for (unsigned char c : bytes) {
    if (c < 0x80) {
      s += (char)c;
    } else {
      s += (char)(0xc0 | c >> 6);
      s += (char)(0x80 | (c & 0x3f));
    }
  }
  return s;
}

static void markLatin1(json &obj, const std::string &key)
{
  json &list = obj["latin1"];
  for (const auto &k : list)
    if (k == key) return;
  list.push_back(key);
}

void putText(json &obj, const std::string &key, const std::string &bytes)
{
  if (validUtf8(bytes)) {
    obj[key] = bytes;
  } else {
    obj[key] = latin1(bytes);
    markLatin1(obj, key);
  }
}

void pushText(json &obj, const std::string &key, const std::string &bytes)
{
  json &list = obj[key];
  if (!list.is_array()) list = json::array();
  if (validUtf8(bytes)) {
    list.push_back(bytes);
  } else {
    list.push_back(latin1(bytes));
    markLatin1(obj, key);
  }
}

std::string textBytes(const json &obj, const std::string &key)
{
  std::string s = obj.at(key).get<std::string>();
  bool wide = obj.contains("latin1") && std::find(obj["latin1"].begin(), obj["latin1"].end(), key) != obj["latin1"].end();

  if (!wide) return s;
  std::string bytes;
  for (size_t i = 0; i < s.size(); i++) {
    unsigned char c = s[i];
    bytes += c < 0x80 ? (char)c : (char)((c & 0x03) << 6 | (s[++i] & 0x3f));
  }
  return bytes;
}
