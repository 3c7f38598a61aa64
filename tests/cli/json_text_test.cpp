// The JSON escaper of --output=json: any bytes in, valid JSON in valid UTF-8 out.
#include "app/cli/json_text.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>

namespace qv::cli {
namespace {

std::string Json(std::string_view text) {
  std::string out;
  AppendJsonString(out, text);
  return out;
}

// A JSON string read back the slow, obvious way (RFC 8259: quotes, the two-character escapes
// and \uXXXX with surrogate pairs; no raw control character inside); nullopt when not valid.
std::optional<std::string> ReadJsonString(std::string_view json) {
  if (json.size() < 2 || json.front() != '"' || json.back() != '"') return std::nullopt;
  std::string text;
  const auto put = [&text](uint32_t code) {
    if (code < 0x80) {
      text.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      text.push_back(static_cast<char>(0xC0 | (code >> 6)));
      text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      text.push_back(static_cast<char>(0xE0 | (code >> 12)));
      text.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      text.push_back(static_cast<char>(0xF0 | (code >> 18)));
      text.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      text.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  };
  const auto hex4 = [&](std::size_t at, uint32_t& code) {
    if (at + 4 > json.size() - 1) return false;
    code = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const char c = json[at + k];
      const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (digit < 0) return false;
      code = code * 16 + static_cast<uint32_t>(digit);
    }
    return true;
  };
  for (std::size_t i = 1; i + 1 < json.size(); ++i) {
    const auto c = static_cast<unsigned char>(json[i]);
    if (c < 0x20 || c == '"') return std::nullopt;
    if (c != '\\') {
      text.push_back(static_cast<char>(c));
      continue;
    }
    if (++i + 1 >= json.size()) return std::nullopt;
    switch (json[i]) {
      case '"': text.push_back('"'); break;
      case '\\': text.push_back('\\'); break;
      case '/': text.push_back('/'); break;
      case 'b': text.push_back('\b'); break;
      case 'f': text.push_back('\f'); break;
      case 'n': text.push_back('\n'); break;
      case 'r': text.push_back('\r'); break;
      case 't': text.push_back('\t'); break;
      case 'u': {
        uint32_t code = 0;
        if (!hex4(i + 1, code)) return std::nullopt;
        i += 4;
        if (code >= 0xD800 && code <= 0xDBFF) {
          uint32_t low = 0;
          if (i + 2 >= json.size() || json[i + 1] != '\\' || json[i + 2] != 'u' || !hex4(i + 3, low) || low < 0xDC00 ||
              low > 0xDFFF) {
            return std::nullopt;
          }
          i += 6;
          code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        } else if (code >= 0xDC00 && code <= 0xDFFF) {
          return std::nullopt;
        }
        put(code);
        break;
      }
      default: return std::nullopt;
    }
  }
  return IsValidUtf8(text) ? std::optional(text) : std::nullopt;
}

TEST(JsonString, EscapesWhatJsonRequires) {
  using namespace std::string_literals;
  const struct {
    std::string text;
    std::string json;
  } cases[] = {
      {"", R"("")"},
      {"2000-01-01", R"("2000-01-01")"},
      {R"(say "no")", R"("say \"no\"")"},
      {R"(C:\dates)", R"("C:\\dates")"},
      {"a\tb\r\n\b\f", R"("a\tb\r\n\b\f")"},
      {"\x01\x1f\x7f"s, "\"\\u0001\\u001f\x7f\""},  // DEL needs no escape
      {"\0x"s, R"("\u0000x")"},
      {"Stra\xc3\x9f" "e \xe2\x80\x9e\xe2\x80\x9c \xf0\x9f\x98\x80", "\"Stra\xc3\x9f" "e \xe2\x80\x9e\xe2\x80\x9c \xf0\x9f\x98\x80\""},
      {"\xff", "\"\xef\xbf\xbd\""},                      // a byte of no character
      {"a\xc3", "\"a\xef\xbf\xbd\""},                    // a cut sequence
      {"\xc0\xaf", "\"\xef\xbf\xbd\xef\xbf\xbd\""},      // an overlong '/'
      {"\xed\xa0\x80", "\"\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\""},  // a surrogate
      {"\xf4\x90\x80\x80", "\"\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\""},  // above U+10FFFF
      {"\x80" "2000", "\"\xef\xbf\xbd" "2000\""},
  };
  for (const auto& c : cases) EXPECT_EQ(Json(c.text), c.json) << c.text;
}

// Random bytes (mostly the troublesome ones) always give a string a JSON reader takes; text that
// is already valid UTF-8 reads back unchanged.
TEST(JsonString, AnyBytesGiveValidJson) {
  std::mt19937 random(15);
  const std::string alphabet = "\"\\\n\r\t\b\f\x01\x1f\x7f" "aZ09 -,./\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\x80\xbf\xc0\xed\xa0\xf4\x90\xff";
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1), length(0, 40);
  std::uniform_int_distribution<int> any_byte(0, 255);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const std::size_t size = length(random);
    for (std::size_t i = 0; i < size; ++i) {
      text.push_back(round % 2 == 0 ? alphabet[pick(random)] : static_cast<char>(any_byte(random)));
    }
    const std::string json = Json(text);
    const std::optional<std::string> back = ReadJsonString(json);
    ASSERT_TRUE(back.has_value()) << json;
    if (IsValidUtf8(text)) {
      ASSERT_EQ(*back, text) << json;
    } else {
      ASSERT_NE(back->find("\xef\xbf\xbd"), std::string::npos) << json;
    }
  }
}

}  // namespace
}  // namespace qv::cli
