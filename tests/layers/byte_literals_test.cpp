// Every text a player sees lives in the resource script, so no narrow string or character
// literal in the program's C++ holds a byte of 0x80 or above (a GBK or UTF-8 text), written raw
// or as an escape. Wide literals (L"", u"", U"") hold UTF-16 or UTF-32 units, not bytes, and
// are left alone: the Windows font face names are such, and no player reads them. The embedded
// font's generated table is the one file excepted.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace rolvi {
namespace {

struct Finding {
  int line = 0;
  std::string literal;
};

class LiteralScanner {
 public:
  explicit LiteralScanner(std::string_view source) : source_(source) {}

  // The narrow literals of the source that hold a byte of 0x80 or above.
  std::vector<Finding> Run() {
    while (pos_ < source_.size()) {
      const char c = source_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (source_.substr(pos_, 2) == "//") {
        while (pos_ < source_.size() && source_[pos_] != '\n')
          ++pos_;
      } else if (source_.substr(pos_, 2) == "/*") {
        const std::size_t end = source_.find("*/", pos_ + 2);
        const std::size_t stop = end == std::string_view::npos ? source_.size() : end + 2;
        line_ += static_cast<int>(std::count(source_.begin() + static_cast<long>(pos_),
                                             source_.begin() + static_cast<long>(stop), '\n'));
        pos_ = stop;
      } else if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
        SkipNumber();
      } else if (std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_') {
        Word();
      } else if (c == '"' || c == '\'') {
        Literal("");
      } else {
        ++pos_;
      }
    }
    return findings_;
  }

 private:
  // A number with its digit separators (1'000), so that they start no character literal.
  void SkipNumber() {
    while (pos_ < source_.size()) {
      const char c = source_[pos_];
      const bool exponent_sign = (c == '+' || c == '-') && pos_ > 0 &&
                                 (source_[pos_ - 1] == 'e' || source_[pos_ - 1] == 'E' ||
                                  source_[pos_ - 1] == 'p' || source_[pos_ - 1] == 'P');
      if (std::isalnum(static_cast<unsigned char>(c)) == 0 && c != '_' && c != '.' && c != '\'' &&
          !exponent_sign) {
        break;
      }
      ++pos_;
    }
  }

  // An identifier, or the encoding prefix of the literal right after it.
  void Word() {
    const std::size_t start = pos_;
    while (pos_ < source_.size() &&
           (std::isalnum(static_cast<unsigned char>(source_[pos_])) != 0 || source_[pos_] == '_'))
      ++pos_;
    const std::string_view word = source_.substr(start, pos_ - start);
    constexpr std::string_view kPrefixes[] = {"u8", "u", "U", "L", "R", "u8R", "uR", "UR", "LR"};
    const bool prefix =
        std::find(std::begin(kPrefixes), std::end(kPrefixes), word) != std::end(kPrefixes);
    if (prefix && pos_ < source_.size() && (source_[pos_] == '"' || source_[pos_] == '\'')) {
      Literal(word);
    }
  }

  void Literal(std::string_view prefix) {
    const int first_line = line_;
    const std::size_t start = pos_;
    const bool wide = !prefix.empty() && (prefix[0] == 'L' || prefix[0] == 'U' ||
                                          (prefix[0] == 'u' && !prefix.starts_with("u8")));
    const bool raw = prefix.ends_with('R') && source_[pos_] == '"';
    const bool high = raw ? RawBody() : Body(source_[pos_]);
    if (high && !wide) {
      findings_.push_back(
          {first_line, std::string(prefix) + std::string(source_.substr(start, pos_ - start))});
    }
  }

  // R"delimiter( ... )delimiter": no escapes.
  bool RawBody() {
    const std::size_t open = source_.find('(', pos_);
    if (open == std::string_view::npos) {
      pos_ = source_.size();
      return false;
    }
    const std::string close = ")" + std::string(source_.substr(pos_ + 1, open - pos_ - 1)) + "\"";
    const std::size_t end = source_.find(close, open);
    const std::size_t stop = end == std::string_view::npos ? source_.size() : end + close.size();
    bool high = false;
    for (std::size_t i = open; i < stop; ++i) {
      high = high || static_cast<unsigned char>(source_[i]) >= 0x80;
      if (source_[i] == '\n') ++line_;
    }
    pos_ = stop;
    return high;
  }

  // A quoted body up to its closing quote, reading the escapes.
  bool Body(char quote) {
    bool high = false;
    ++pos_;
    while (pos_ < source_.size() && source_[pos_] != quote && source_[pos_] != '\n') {
      const auto byte = static_cast<unsigned char>(source_[pos_]);
      if (byte != '\\') {
        high = high || byte >= 0x80;
        ++pos_;
        continue;
      }
      ++pos_;
      if (pos_ >= source_.size()) break;
      const char kind = source_[pos_];
      if (kind == 'x' || kind == 'u' || kind == 'U') {
        const std::size_t digits_start = ++pos_;
        std::size_t limit = kind == 'u' ? 4 : kind == 'U' ? 8 : source_.size();
        while (pos_ < source_.size() && limit-- > 0 &&
               std::isxdigit(static_cast<unsigned char>(source_[pos_])) != 0)
          ++pos_;
        const std::string digits(source_.substr(digits_start, pos_ - digits_start));
        high = high || (!digits.empty() && std::stoul(digits, nullptr, 16) >= 0x80);
      } else if (kind >= '0' && kind <= '7') {
        const std::size_t digits_start = pos_;
        while (pos_ < source_.size() && pos_ - digits_start < 3 && source_[pos_] >= '0' &&
               source_[pos_] <= '7')
          ++pos_;
        const std::string digits(source_.substr(digits_start, pos_ - digits_start));
        high = high || std::stoul(digits, nullptr, 8) >= 0x80;
      } else {
        ++pos_;  // a one-character escape, the escaped quote and backslash among them
      }
    }
    if (pos_ < source_.size() && source_[pos_] == quote) ++pos_;
    return high;
  }

  std::string_view source_;
  std::size_t pos_ = 0;
  int line_ = 1;
  std::vector<Finding> findings_;
};

std::vector<std::string> Literals(std::string_view source) {
  std::vector<std::string> found;
  for (const Finding& finding : LiteralScanner(source).Run())
    found.push_back(std::to_string(finding.line) + ": " + finding.literal);
  return found;
}

using Found = std::vector<std::string>;

TEST(ByteLiteralScannerTest, FindsHighBytesWrittenRawOrAsEscapesInNarrowLiterals) {
  EXPECT_EQ(Literals("auto a = \"\\xB9\\xFA\";\nauto b = \"ok\";"), Found{"1: \"\\xB9\\xFA\""});
  EXPECT_EQ(Literals("x(\"\\271\");"), Found{"1: \"\\271\""});  // octal 0xB9
  EXPECT_EQ(Literals("x(\"\xe5\x9b\xbd\");"), Found{"1: \"\xe5\x9b\xbd\""});
  EXPECT_EQ(Literals("x(u8\"\\u00e9\");"), Found{"1: u8\"\\u00e9\""});
  EXPECT_EQ(Literals("char c = '\\xCD';"), Found{"1: '\\xCD'"});
  EXPECT_EQ(Literals("\n\nR\"x(a\n\xe7\x8e\x8b)x\" \"b\""), Found{"3: R\"x(a\n\xe7\x8e\x8b)x\""});
  // Plain ASCII escapes, and a byte just below the limit.
  EXPECT_EQ(Literals(R"(x("\x7F\177\b\t\\x80\"\x41"); y('\'');)"), Found{});
}

TEST(ByteLiteralScannerTest, IgnoresCommentsWideLiteralsAndDigitSeparators) {
  EXPECT_EQ(Literals("// GBK \"\xe7\x8e\x8b\"\n/* \"\xe7\x8e\x8b\" */ int a;"), Found{});
  EXPECT_EQ(Literals("auto w = L\"\\x5B8B\\x4F53\"; auto v = u\"\xe7\x8e\x8b\";"), Found{});
  EXPECT_EQ(Literals("int n = 1'000'000; auto s = \"\\xB9\";"), Found{"1: \"\\xB9\""});
  // A quote inside an escape does not end the literal early.
  EXPECT_EQ(Literals(R"(x("\"", "\xB9");)"), Found{"1: \"\\xB9\""});
}

TEST(ByteLiteralScannerTest, NoByteLiteralAboveAsciiIsLeftInTheProgramsSource) {
  const std::filesystem::path root = ROLVI_SOURCE_DIR "/src";
  const std::filesystem::path font_table = root / "platform/software/font_data.cpp";
  int files = 0;
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const std::filesystem::path& path = entry.path();
    if (!entry.is_regular_file() || (path.extension() != ".cpp" && path.extension() != ".h")) {
      continue;
    }
    ++files;
    if (path == font_table) continue;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream source;
    source << in.rdbuf();
    for (const std::string& literal : Literals(source.str()))
      found.push_back(path.lexically_relative(root).string() + ":" + literal);
  }
  EXPECT_GT(files, 100);  // the walk reached the sources
  EXPECT_EQ(found, std::vector<std::string>{});
}

}  // namespace
}  // namespace rolvi
