#include "sources/message.h"

#include <string>

std::string quoted(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string shown = "\"";
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (ch == '\\' || ch == '"') {
      // Escaped, so that the text \xFF and the byte 0xFF read differently.
      shown += '\\';
      shown += ch;
    } else if (byte >= ' ' && byte < 0x7f) {
      shown += ch;
    } else {
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0xf];
    }
  }
  return shown + "\"";
}
