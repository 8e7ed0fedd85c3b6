// The contract between the page's script and the program: web/page.js numbers the event kinds
// and modifier bits and writes each event record at the offsets platform/web/page.h declares.
// The script is read here and its numbers compared with the header's; a record written the
// way the script writes it decodes to the event it describes.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "platform/web/page.h"

namespace rolvi::platform::web {
namespace {

using Numbers = std::map<std::string, long>;

// The members of `const <name> = { a: 1, b: 2, ... };` in the script.
Numbers ScriptObject(const std::string& script, const std::string& name) {
  const std::regex object("const " + name + R"( = \{([^}]*)\})");
  std::smatch found;
  if (!std::regex_search(script, found, object)) return {};
  Numbers members;
  const std::string body = found[1];
  const std::regex member(R"(([A-Za-z]+)\s*:\s*(-?\d+))");
  for (auto it = std::sregex_iterator(body.begin(), body.end(), member);
       it != std::sregex_iterator(); ++it) {
    members[(*it)[1]] = std::stol((*it)[2]);
  }
  return members;
}

std::string PageScript() {
  std::ifstream file(ROLVI_PAGE_SCRIPT);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

long Of(PageEvent::Kind kind) {
  return static_cast<long>(kind);
}

TEST(PageContractTest, TheScriptsNumbersAreTheHeaders) {
  const std::string script = PageScript();
  ASSERT_FALSE(script.empty()) << "cannot read " << ROLVI_PAGE_SCRIPT;
  using Kind = PageEvent::Kind;
  EXPECT_EQ(ScriptObject(script, "kind"), (Numbers{{"mouseDown", Of(Kind::kMouseDown)},
                                                   {"mouseUp", Of(Kind::kMouseUp)},
                                                   {"mouseMove", Of(Kind::kMouseMove)},
                                                   {"keyDown", Of(Kind::kKeyDown)},
                                                   {"keyUp", Of(Kind::kKeyUp)},
                                                   {"focusLost", Of(Kind::kFocusLost)},
                                                   {"viewport", Of(Kind::kViewport)},
                                                   {"command", Of(Kind::kCommand)},
                                                   {"fieldChanged", Of(Kind::kFieldChanged)},
                                                   {"storageChanged", Of(Kind::kStorageChanged)}}));
  // The key whose changes by another tab the script reports is the record table's.
  std::smatch key;
  ASSERT_TRUE(std::regex_search(script, key, std::regex(R"(const recordsKey = '([^']*)';)")));
  EXPECT_EQ(key[1].str(), kRecordsStorageKey);
  const auto window_kind = [](PageWindowKind kind) { return static_cast<long>(kind); };
  EXPECT_EQ(ScriptObject(script, "windowKind"),
            (Numbers{{"main", window_kind(PageWindowKind::kMain)},
                     {"dialog", window_kind(PageWindowKind::kDialog)},
                     {"tool", window_kind(PageWindowKind::kTool)}}));
  EXPECT_EQ(ScriptObject(script, "modifier"), (Numbers{{"alt", kModifierAlt},
                                                       {"control", kModifierControl},
                                                       {"shift", kModifierShift},
                                                       {"meta", kModifierMeta}}));
  using Raw = RawPageEvent;
  EXPECT_EQ(ScriptObject(script, "record"), (Numbers{{"kind", offsetof(Raw, kind)},
                                                     {"window", offsetof(Raw, window)},
                                                     {"x", offsetof(Raw, x)},
                                                     {"y", offsetof(Raw, y)},
                                                     {"modifiers", offsetof(Raw, modifiers)},
                                                     {"repeat", offsetof(Raw, repeat)},
                                                     {"textLength", offsetof(Raw, text_length)},
                                                     {"code", offsetof(Raw, code)},
                                                     {"codeSize", sizeof(Raw::code)},
                                                     {"key", offsetof(Raw, key)},
                                                     {"keySize", sizeof(Raw::key)},
                                                     {"text", offsetof(Raw, text)},
                                                     {"textSize", sizeof(Raw::text)}}));
}

// Writes a record at the script's offsets, as its nextEvent does.
RawPageEvent WrittenAsTheScriptDoes(const Numbers& record, const std::map<std::string, int>& ints,
                                    const std::map<std::string, std::string>& fields) {
  RawPageEvent raw{};
  auto* bytes = reinterpret_cast<unsigned char*>(&raw);
  for (const auto& [name, value] : ints) {
    std::memcpy(bytes + record.at(name), &value, sizeof value);
  }
  for (const auto& [name, value] : fields) {
    std::memcpy(bytes + record.at(name), value.data(), value.size());
  }
  return raw;
}

TEST(PageContractTest, ARecordWrittenAtTheScriptsOffsetsDecodesToItsEvent) {
  const Numbers record = ScriptObject(PageScript(), "record");
  ASSERT_FALSE(record.empty());
  const PageEvent key = DecodePageEvent(WrittenAsTheScriptDoes(
      record, {{"kind", 4}, {"modifiers", kModifierShift}, {"repeat", 1}, {"textLength", 2}},
      {{"code", "KeyQ"}, {"key", "Q"}, {"text", "Q\xA1"}}));
  EXPECT_EQ(key.kind, PageEvent::Kind::kKeyDown);
  EXPECT_EQ(key.modifiers, kModifierShift);
  EXPECT_TRUE(key.repeat);
  EXPECT_EQ(key.code, "KeyQ");
  EXPECT_EQ(key.key, "Q");
  EXPECT_EQ(key.text, "Q\xA1");

  const PageEvent mouse = DecodePageEvent(
      WrittenAsTheScriptDoes(record, {{"kind", 1}, {"window", 3}, {"x", -2}, {"y", 7}}, {}));
  EXPECT_EQ(mouse.kind, PageEvent::Kind::kMouseDown);
  EXPECT_EQ(mouse.window, 3);
  EXPECT_EQ(mouse.x, -2);
  EXPECT_EQ(mouse.y, 7);
  EXPECT_TRUE(mouse.text.empty());

  // A full code field has no terminator; a text length past its field, or an unknown kind,
  // is cut to what the record holds.
  const PageEvent cut = DecodePageEvent(WrittenAsTheScriptDoes(
      record, {{"kind", 5}, {"textLength", 99}}, {{"code", std::string(32, 'c')}}));
  EXPECT_EQ(cut.code, std::string(32, 'c'));
  EXPECT_EQ(cut.text.size(), 16u);
  EXPECT_EQ(DecodePageEvent(WrittenAsTheScriptDoes(record, {{"kind", 11}}, {})).kind,
            PageEvent::Kind::kNone);
  EXPECT_EQ(DecodePageEvent(WrittenAsTheScriptDoes(record, {{"kind", 10}}, {})).kind,
            PageEvent::Kind::kStorageChanged);
  const PageEvent command =
      DecodePageEvent(WrittenAsTheScriptDoes(record, {{"kind", 8}, {"x", 513}}, {}));
  EXPECT_EQ(command.kind, PageEvent::Kind::kCommand);
  EXPECT_EQ(command.x, 513);
}

}  // namespace
}  // namespace rolvi::platform::web
