// Tokeniser and parser for the resource-script subset described in rc_script.h.
#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <functional>
#include <map>
#include <optional>
#include <utility>

#include "rc_script.h"

namespace rolvi::rescomp {
namespace {

enum class TokenKind { kWord, kNumber, kString, kComma, kBar, kEnd };

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;  // word, or decoded string
  long long number = 0;
  int line = 0;
};

struct Constant {
  std::string_view name;
  std::uint32_t value;
};

constexpr std::array kConstants = {
    Constant{"WS_OVERLAPPED", 0x00000000},
    Constant{"WS_POPUP", 0x80000000},
    Constant{"WS_CHILD", 0x40000000},
    Constant{"WS_VISIBLE", 0x10000000},
    Constant{"WS_DISABLED", 0x08000000},
    Constant{"WS_CAPTION", 0x00C00000},
    Constant{"WS_BORDER", 0x00800000},
    Constant{"WS_DLGFRAME", 0x00400000},
    Constant{"WS_VSCROLL", 0x00200000},
    Constant{"WS_HSCROLL", 0x00100000},
    Constant{"WS_SYSMENU", 0x00080000},
    Constant{"WS_THICKFRAME", 0x00040000},
    Constant{"WS_GROUP", 0x00020000},
    Constant{"WS_TABSTOP", 0x00010000},
    Constant{"WS_MINIMIZEBOX", 0x00020000},
    Constant{"WS_MAXIMIZEBOX", 0x00010000},
    Constant{"DS_SETFONT", 0x0040},
    Constant{"DS_MODALFRAME", 0x0080},
    Constant{"DS_3DLOOK", 0x0004},
    Constant{"DS_CENTER", 0x0800},
    Constant{"BS_PUSHBUTTON", 0x0000},
    Constant{"BS_DEFPUSHBUTTON", 0x0001},
    Constant{"BS_GROUPBOX", 0x0007},
    Constant{"SS_LEFT", 0x0000},
    Constant{"SS_CENTER", 0x0001},
    Constant{"SS_RIGHT", 0x0002},
    Constant{"SS_NOPREFIX", 0x0080},
    Constant{"ES_LEFT", 0x0000},
    Constant{"ES_AUTOHSCROLL", 0x0080},
    Constant{"WS_EX_TOOLWINDOW", 0x00000080},
    Constant{"WS_EX_TOPMOST", 0x00000008},
    Constant{"VK_BACK", 0x08},
    Constant{"VK_TAB", 0x09},
    Constant{"VK_RETURN", 0x0D},
    Constant{"VK_ESCAPE", 0x1B},
    Constant{"VK_SPACE", 0x20},
    Constant{"VK_F1", 0x70},
    Constant{"VK_F2", 0x71},
    Constant{"VK_F3", 0x72},
    Constant{"VK_F4", 0x73},
    Constant{"VK_F5", 0x74},
    Constant{"VK_F6", 0x75},
    Constant{"VK_F7", 0x76},
    Constant{"VK_F8", 0x77},
    Constant{"VK_F9", 0x78},
    Constant{"VK_F10", 0x79},
    Constant{"VK_F11", 0x7A},
    Constant{"VK_F12", 0x7B},
    Constant{"LANG_NEUTRAL", 0x00},
    Constant{"LANG_CHINESE", 0x04},
    Constant{"LANG_ENGLISH", 0x09},
    Constant{"SUBLANG_NEUTRAL", 0x00},
    Constant{"SUBLANG_DEFAULT", 0x01},
    Constant{"SUBLANG_CHINESE_SIMPLIFIED", 0x02},
    Constant{"SUBLANG_ENGLISH_US", 0x01},
};

constexpr std::uint32_t kChildVisible = 0x40000000 | 0x10000000;

std::optional<std::uint32_t> LookUpConstant(std::string_view name) {
  for (const Constant& constant : kConstants) {
    if (constant.name == name) return constant.value;
  }
  return std::nullopt;
}

// What the preprocessor lines leave for the tokens: the macros defined so far (name to the
// text of their body) and the reader of included files.
struct Preprocessor {
  const IncludeReader* read_include = nullptr;
  std::map<std::string, std::string, std::less<>> macros;
};

// Included files and macros within macros end at this depth, which also stops a macro that
// names itself.
constexpr int kMaxNesting = 8;

class Tokeniser {
 public:
  Tokeniser(std::string_view text, Preprocessor& preprocessor, int first_line = 1, int depth = 0)
      : text_(text), preprocessor_(preprocessor), line_(first_line), depth_(depth) {}

  // Reads all tokens; returns false with `error` set on a malformed token.
  bool Run(std::vector<Token>& tokens, std::string& error) {
    while (true) {
      SkipBlanksAndComments();
      if (pos_ >= text_.size()) break;
      const char c = text_[pos_];
      Token token;
      token.line = line_;
      if (c == '#' && at_line_start_) {
        const std::size_t start = pos_ + 1;
        while (pos_ < text_.size() && text_[pos_] != '\n')
          ++pos_;
        if (!Directive(text_.substr(start, pos_ - start), tokens, error)) return false;
        continue;
      }
      at_line_start_ = false;
      if (c == ',') {
        token.kind = TokenKind::kComma;
        ++pos_;
      } else if (c == '|') {
        token.kind = TokenKind::kBar;
        ++pos_;
      } else if (c == '{' || c == '}') {
        token.kind = TokenKind::kWord;
        token.text = c == '{' ? "BEGIN" : "END";
        ++pos_;
      } else if (c == '"') {
        token.kind = TokenKind::kString;
        if (!ReadString(token.text)) {
          error = "line " + std::to_string(line_) + ": unterminated string";
          return false;
        }
      } else if (c == '-' || std::isdigit(static_cast<unsigned char>(c)) != 0) {
        token.kind = TokenKind::kNumber;
        if (!ReadNumber(token.number)) {
          error = "line " + std::to_string(line_) + ": bad number";
          return false;
        }
      } else if (std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_') {
        token.kind = TokenKind::kWord;
        while (pos_ < text_.size() &&
               (std::isalnum(static_cast<unsigned char>(text_[pos_])) != 0 || text_[pos_] == '_')) {
          token.text.push_back(text_[pos_++]);
        }
        if (const auto macro = preprocessor_.macros.find(token.text);
            macro != preprocessor_.macros.end()) {
          if (!Expand(macro->second, tokens, error)) return false;
          continue;
        }
      } else {
        error = "line " + std::to_string(line_) + ": unexpected character '" + c + "'";
        return false;
      }
      tokens.push_back(std::move(token));
    }
    Token end;
    end.line = line_;
    tokens.push_back(end);
    return true;
  }

 private:
  std::string Where() const { return "line " + std::to_string(line_) + ": "; }

  // A preprocessor line without its '#'. `#include "name"` reads the file and tokenises it in
  // place, `#define NAME body` defines an object-like macro; `#include <...>` (the system's
  // headers) and every other directive are skipped.
  bool Directive(std::string_view line, std::vector<Token>& tokens, std::string& error) {
    const std::string_view rest = TrimBlanks(line);
    const std::size_t keyword_end = std::min(rest.size(), rest.find_first_of(" \t\r"));
    const std::string_view keyword = rest.substr(0, keyword_end);
    const std::string_view argument = TrimBlanks(rest.substr(keyword_end));
    if (keyword == "include") return Include(argument, tokens, error);
    if (keyword == "define") return Define(argument, error);
    return true;
  }

  bool Include(std::string_view argument, std::vector<Token>& tokens, std::string& error) {
    if (argument.empty() || argument.front() != '"') return true;
    const std::size_t close = argument.find('"', 1);
    if (close == std::string_view::npos) {
      error = Where() + "unterminated include file name";
      return false;
    }
    const std::string name(argument.substr(1, close - 1));
    if (depth_ >= kMaxNesting) {
      error = Where() + "includes nested too deeply at \"" + name + "\"";
      return false;
    }
    std::optional<std::string> text;
    if (preprocessor_.read_include != nullptr && *preprocessor_.read_include)
      text = (*preprocessor_.read_include)(name);
    if (!text) {
      error = Where() + "cannot read the include file \"" + name + "\"";
      return false;
    }
    std::vector<Token> included;
    std::string included_error;
    if (!Tokeniser(*text, preprocessor_, 1, depth_ + 1).Run(included, included_error)) {
      error = Where() + "in \"" + name + "\", " + included_error;
      return false;
    }
    included.pop_back();  // its end
    for (Token& token : included) {
      token.line = line_;  // errors point at the #include
      tokens.push_back(std::move(token));
    }
    return true;
  }

  bool Define(std::string_view argument, std::string& error) {
    std::size_t name_end = 0;
    while (name_end < argument.size() &&
           (std::isalnum(static_cast<unsigned char>(argument[name_end])) != 0 ||
            argument[name_end] == '_')) {
      ++name_end;
    }
    if (name_end == 0) {
      error = Where() + "#define without a name";
      return false;
    }
    if (name_end < argument.size() && argument[name_end] == '(') {
      error = Where() + "macros with parameters are not supported";
      return false;
    }
    preprocessor_.macros.insert_or_assign(std::string(argument.substr(0, name_end)),
                                          std::string(TrimBlanks(argument.substr(name_end))));
    return true;
  }

  // A macro's body tokenised in place of its name.
  bool Expand(std::string_view body, std::vector<Token>& tokens, std::string& error) {
    if (depth_ >= kMaxNesting) {
      error = Where() + "macros nested too deeply";
      return false;
    }
    Tokeniser expansion(body, preprocessor_, line_, depth_ + 1);
    expansion.at_line_start_ = false;
    std::vector<Token> expanded;
    if (!expansion.Run(expanded, error)) return false;
    expanded.pop_back();
    for (Token& token : expanded)
      tokens.push_back(std::move(token));
    return true;
  }

  static std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
  }

  void SkipBlanksAndComments() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
        at_line_start_ = true;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else if (text_.substr(pos_, 2) == "//") {
        while (pos_ < text_.size() && text_[pos_] != '\n')
          ++pos_;
      } else if (text_.substr(pos_, 2) == "/*") {
        pos_ += 2;
        while (pos_ < text_.size() && text_.substr(pos_, 2) != "*/") {
          if (text_[pos_] == '\n') ++line_;
          ++pos_;
        }
        pos_ = std::min(text_.size(), pos_ + 2);
      } else {
        return;
      }
    }
  }

  bool ReadString(std::string& out) {
    ++pos_;  // opening quote
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '\n') return false;
      if (c == '"') {
        if (pos_ < text_.size() && text_[pos_] == '"') {  // "" is one quote
          out.push_back('"');
          ++pos_;
          continue;
        }
        return true;
      }
      if (c != '\\') {
        out.push_back(c);
        continue;
      }
      if (pos_ >= text_.size()) return false;
      const char escaped = text_[pos_++];
      switch (escaped) {
        case 'n':
          out.push_back('\n');
          break;
        case 't':
          out.push_back('\t');
          break;
        case 'b':
          out.push_back('\b');
          break;
        case 'a':
          out.push_back('\b');
          break;  // flush-right marker, as in menu texts
        case 'r':
          out.push_back('\r');
          break;
        case '\\':
          out.push_back('\\');
          break;
        case '"':
          out.push_back('"');
          break;
        default:
          return false;
      }
    }
    return false;
  }

  bool ReadNumber(long long& value) {
    bool negative = false;
    if (text_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    int base = 10;
    if (text_.substr(pos_, 2) == "0x" || text_.substr(pos_, 2) == "0X") {
      base = 16;
      pos_ += 2;
    }
    const char* first = text_.data() + pos_;
    const char* last = text_.data() + text_.size();
    unsigned long long magnitude = 0;
    const auto [end, ec] = std::from_chars(first, last, magnitude, base);
    if (ec != std::errc{} || magnitude > 0xFFFFFFFFull) return false;
    pos_ += static_cast<std::size_t>(end - first);
    if (pos_ < text_.size() && (text_[pos_] == 'L' || text_[pos_] == 'l')) ++pos_;
    value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return true;
  }

  std::string_view text_;
  Preprocessor& preprocessor_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int depth_ = 0;
  bool at_line_start_ = true;
};

// Adjacent strings are one string, as in C: "Version " VERSION.
void JoinAdjacentStrings(std::vector<Token>& tokens) {
  std::vector<Token> joined;
  joined.reserve(tokens.size());
  for (Token& token : tokens) {
    if (token.kind == TokenKind::kString && !joined.empty() &&
        joined.back().kind == TokenKind::kString) {
      joined.back().text += token.text;
      continue;
    }
    joined.push_back(std::move(token));
  }
  tokens = std::move(joined);
}

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  RcParseResult Run() {
    RcParseResult result;
    while (Peek().kind != TokenKind::kEnd && error_.empty())
      ParseResource(result.script);
    if (!error_.empty()) {
      result.error = error_;
      return result;
    }
    result.ok = true;
    return result;
  }

 private:
  const Token& Peek() const { return tokens_[index_]; }
  const Token& Next() {
    const Token& token = tokens_[index_];
    if (token.kind != TokenKind::kEnd) ++index_;
    return token;
  }
  bool PeekWord(std::string_view word) const {
    return Peek().kind == TokenKind::kWord && Peek().text == word;
  }
  void Fail(const std::string& what) { FailAt(Peek().line, what); }
  void FailAt(int line, const std::string& what) {
    if (error_.empty()) error_ = "line " + std::to_string(line) + ": " + what;
  }
  bool Expect(TokenKind kind, std::string_view what) {
    if (Peek().kind != kind) {
      Fail("expected " + std::string(what));
      return false;
    }
    Next();
    return true;
  }
  bool ExpectWord(std::string_view word) {
    if (!PeekWord(word)) {
      Fail("expected " + std::string(word));
      return false;
    }
    Next();
    return true;
  }
  bool SkipComma() {
    if (Peek().kind != TokenKind::kComma) return false;
    Next();
    return true;
  }

  // A number, or a known constant.
  std::optional<long long> Value() {
    const Token& token = Peek();
    if (token.kind == TokenKind::kNumber) return Next().number;
    if (token.kind == TokenKind::kWord) {
      if (const auto constant = LookUpConstant(token.text)) {
        Next();
        return *constant;
      }
      Fail("unknown constant " + token.text);
      return std::nullopt;
    }
    Fail("expected a number");
    return std::nullopt;
  }

  std::optional<int> IntValue() {
    const auto value = Value();
    if (!value) return std::nullopt;
    return static_cast<int>(*value);
  }

  // "A | B | NOT C": sets the named bits onto `base` and clears the NOT ones.
  std::uint32_t StyleExpression(std::uint32_t base) {
    std::uint32_t style = base;
    while (error_.empty()) {
      bool negate = false;
      if (PeekWord("NOT")) {
        Next();
        negate = true;
      }
      const auto value = Value();
      if (!value) break;
      const auto bits = static_cast<std::uint32_t>(*value);
      style = negate ? (style & ~bits) : (style | bits);
      if (Peek().kind != TokenKind::kBar) break;
      Next();
    }
    return style;
  }

  std::optional<std::string> String() {
    if (Peek().kind != TokenKind::kString) {
      Fail("expected a string");
      return std::nullopt;
    }
    return Next().text;
  }

  void ParseResource(RcScript& script) {
    if (PeekWord("LANGUAGE")) {
      Next();
      ParseLanguage(language_);
      return;
    }
    if (PeekWord("STRINGTABLE")) {
      Next();
      ParseStringTable(script);
      return;
    }
    const auto id = IntValue();
    if (!id) return;
    if (Peek().kind != TokenKind::kWord) {
      Fail("expected a resource type");
      return;
    }
    const Token& type_token = Next();
    const std::string type = type_token.text;
    if (type == "MENU") {
      ParseMenu(*id, script);
    } else if (type == "ACCELERATORS") {
      ParseAccelerators(*id, script);
    } else if (type == "DIALOG" || type == "DIALOGEX") {
      ParseDialog(*id, type == "DIALOGEX", script);
    } else if (type == "BITMAP" || type == "ICON") {
      const auto path = String();
      if (!path) return;
      script.files.push_back(
          RcFile{*id, type == "BITMAP" ? RcFileKind::kBitmap : RcFileKind::kIcon, *path});
    } else {
      FailAt(type_token.line, "unsupported resource type " + type);
    }
  }

  // "primary, sub" after LANGUAGE, as MAKELANGID makes it.
  void ParseLanguage(RcLanguage& language) {
    const int line = Peek().line;
    const auto primary = IntValue();
    if (!primary || !Expect(TokenKind::kComma, "','")) return;
    const auto sub = IntValue();
    if (!sub) return;
    if (*primary < 0 || *primary > 0x3FF || *sub < 0 || *sub > 0x3F) {
      FailAt(line, "language out of range");
      return;
    }
    language = static_cast<RcLanguage>(*sub << 10 | *primary);
  }

  // STRINGTABLE [LANGUAGE primary, sub] BEGIN number [,] "text" ... END. The block's own
  // LANGUAGE applies to it alone.
  void ParseStringTable(RcScript& script) {
    RcLanguage language = language_;
    if (PeekWord("LANGUAGE")) {
      Next();
      ParseLanguage(language);
    }
    if (!ExpectWord("BEGIN")) return;
    auto table = std::find_if(script.string_tables.begin(), script.string_tables.end(),
                              [&](const RcStringTable& t) { return t.language == language; });
    if (table == script.string_tables.end()) {
      script.string_tables.push_back(RcStringTable{language, {}});
      table = script.string_tables.end() - 1;
    }
    while (error_.empty() && !PeekWord("END")) {
      const int line = Peek().line;
      const auto id = IntValue();
      if (!id) return;
      if (*id < 0 || *id > 0xFFFF) {
        FailAt(line, "string number out of range");
        return;
      }
      SkipComma();
      const auto text = String();
      if (!text) return;
      std::vector<RcString>& strings = table->strings;
      const auto place = std::lower_bound(strings.begin(), strings.end(), *id,
                                          [](const RcString& s, int n) { return s.id < n; });
      if (place != strings.end() && place->id == *id) {
        FailAt(line, "string " + std::to_string(*id) + " is given twice");
        return;
      }
      strings.insert(place, RcString{*id, *text});
    }
    ExpectWord("END");
  }

  void ParseMenu(int id, RcScript& script) {
    RcMenu menu;
    menu.id = id;
    menu.language = language_;
    if (!ExpectWord("BEGIN")) return;
    while (error_.empty() && !PeekWord("END")) {
      if (!ExpectWord("POPUP")) return;
      RcPopup popup;
      const auto title = String();
      if (!title) return;
      popup.title = *title;
      while (SkipComma()) {
        if (PeekWord("HELP")) {
          Next();
          popup.right_justify = true;
        } else {
          Fail("unsupported popup option");
          return;
        }
      }
      if (!ExpectWord("BEGIN")) return;
      while (error_.empty() && !PeekWord("END"))
        ParseMenuItem(popup);
      if (!ExpectWord("END")) return;
      menu.popups.push_back(std::move(popup));
    }
    if (!ExpectWord("END")) return;
    script.menus.push_back(std::move(menu));
  }

  void ParseMenuItem(RcPopup& popup) {
    if (!ExpectWord("MENUITEM")) return;
    RcMenuItem item;
    if (PeekWord("SEPARATOR")) {
      Next();
      item.separator = true;
      popup.items.push_back(item);
      return;
    }
    const auto text = String();
    if (!text || !Expect(TokenKind::kComma, "','")) return;
    item.text = *text;
    const auto command = IntValue();
    if (!command) return;
    item.command = *command;
    while (SkipComma()) {
      if (PeekWord("CHECKED")) {
        Next();
        item.checked = true;
      } else {
        Fail("unsupported menu item option");
        return;
      }
    }
    popup.items.push_back(std::move(item));
  }

  void ParseAccelerators(int id, RcScript& script) {
    RcAcceleratorTable table;
    table.id = id;
    if (!ExpectWord("BEGIN")) return;
    while (error_.empty() && !PeekWord("END")) {
      RcAccelerator row;
      if (Peek().kind == TokenKind::kString) {
        const std::string key = Next().text;
        if (key.size() != 1) {
          Fail("a character accelerator takes one character");
          return;
        }
        row.key = static_cast<unsigned char>(key[0]);
      } else {
        const auto key = IntValue();
        if (!key) return;
        row.key = *key;
      }
      if (!Expect(TokenKind::kComma, "','")) return;
      const auto command = IntValue();
      if (!command) return;
      row.command = *command;
      while (SkipComma()) {
        if (Peek().kind != TokenKind::kWord) {
          Fail("expected an accelerator option");
          return;
        }
        const std::string option = Next().text;
        if (option == "VIRTKEY") {
          row.virtual_key = true;
        } else if (option == "ASCII") {
          row.virtual_key = false;
        } else if (option == "ALT") {
          row.alt = true;
        } else if (option == "CONTROL") {
          row.control = true;
        } else if (option == "SHIFT") {
          row.shift = true;
        } else {
          Fail("unsupported accelerator option " + option);
          return;
        }
      }
      table.rows.push_back(row);
    }
    if (!ExpectWord("END")) return;
    script.accelerator_tables.push_back(std::move(table));
  }

  bool Rectangle(int& x, int& y, int& width, int& height) {
    const auto a = IntValue();
    if (!a || !Expect(TokenKind::kComma, "','")) return false;
    const auto b = IntValue();
    if (!b || !Expect(TokenKind::kComma, "','")) return false;
    const auto c = IntValue();
    if (!c || !Expect(TokenKind::kComma, "','")) return false;
    const auto d = IntValue();
    if (!d) return false;
    x = *a;
    y = *b;
    width = *c;
    height = *d;
    return true;
  }

  void ParseDialog(int id, bool extended, RcScript& script) {
    RcDialog dialog;
    dialog.id = id;
    dialog.language = language_;
    dialog.extended = extended;
    if (!Rectangle(dialog.x, dialog.y, dialog.width, dialog.height)) return;
    while (error_.empty() && !PeekWord("BEGIN")) {
      if (Peek().kind != TokenKind::kWord) {
        Fail("expected a dialog statement");
        return;
      }
      const std::string statement = Next().text;
      if (statement == "STYLE") {
        dialog.style = StyleExpression(0);
      } else if (statement == "EXSTYLE") {
        dialog.ex_style = StyleExpression(0);
      } else if (statement == "CAPTION") {
        const auto caption = String();
        if (!caption) return;
        dialog.caption = *caption;
      } else if (statement == "FONT") {
        const auto points = IntValue();
        if (!points || !Expect(TokenKind::kComma, "','")) return;
        const auto name = String();
        if (!name) return;
        dialog.font_points = *points;
        dialog.font_name = *name;
        while (SkipComma()) {  // weight, italic, character set: not used
          if (!Value()) return;
        }
      } else {
        Fail("unsupported dialog statement " + statement);
        return;
      }
    }
    if (!ExpectWord("BEGIN")) return;
    while (error_.empty() && !PeekWord("END"))
      ParseControl(dialog);
    if (!ExpectWord("END")) return;
    script.dialogs.push_back(std::move(dialog));
  }

  void ParseControl(RcDialog& dialog) {
    struct Shorthand {
      std::string_view keyword;
      RcControlClass control_class;
      std::uint32_t style;
      bool has_text;
    };
    static constexpr std::array kShorthands = {
        Shorthand{"GROUPBOX", RcControlClass::kButton, 0x0007, true},
        Shorthand{"PUSHBUTTON", RcControlClass::kButton, 0x00010000, true},
        Shorthand{"DEFPUSHBUTTON", RcControlClass::kButton, 0x00010001, true},
        Shorthand{"LTEXT", RcControlClass::kStatic, 0x00020000, true},
        Shorthand{"CTEXT", RcControlClass::kStatic, 0x00020001, true},
        Shorthand{"RTEXT", RcControlClass::kStatic, 0x00020002, true},
        Shorthand{"EDITTEXT", RcControlClass::kEdit, 0x00810080, false},
    };
    if (Peek().kind != TokenKind::kWord) {
      Fail("expected a control");
      return;
    }
    const std::string keyword = Next().text;
    const Shorthand* shorthand = nullptr;
    for (const Shorthand& candidate : kShorthands) {
      if (candidate.keyword == keyword) shorthand = &candidate;
    }
    if (shorthand == nullptr) {
      Fail("unsupported control " + keyword);
      return;
    }
    RcControl control;
    control.control_class = shorthand->control_class;
    if (shorthand->has_text) {
      const auto text = String();
      if (!text || !Expect(TokenKind::kComma, "','")) return;
      control.text = *text;
    }
    const auto id = IntValue();
    if (!id || !Expect(TokenKind::kComma, "','")) return;
    control.id = *id;
    if (!Rectangle(control.x, control.y, control.width, control.height)) return;
    control.style = kChildVisible | shorthand->style;
    if (SkipComma()) control.style = StyleExpression(control.style);
    dialog.controls.push_back(std::move(control));
  }

  std::vector<Token> tokens_;
  std::size_t index_ = 0;
  std::string error_;
  RcLanguage language_ = 0;  // set by the last LANGUAGE statement
};

}  // namespace

RcParseResult ParseResourceScript(std::string_view text, const IncludeReader& read_include) {
  std::vector<Token> tokens;
  std::string error;
  Preprocessor preprocessor;
  preprocessor.read_include = &read_include;
  if (!Tokeniser(text, preprocessor).Run(tokens, error)) {
    RcParseResult result;
    result.error = error;
    return result;
  }
  JoinAdjacentStrings(tokens);
  return Parser(std::move(tokens)).Run();
}

}  // namespace rolvi::rescomp
