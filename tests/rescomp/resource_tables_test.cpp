// The tables tools/rescomp generates at build time from tests/rescomp/fixture.rc, against the
// tables written below by hand: every statement of the script must come through with its
// numbers, styles and languages, and every text as its GBK bytes.
#include "platform/widgets/resource_tables.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/widgets/table_resource_lookup.h"

namespace rolvi::platform::widgets {

const ResourceTables& FixtureTables();  // generated from fixture.rc

namespace {

// Each entry as one line, so that a difference shows which field of which entry it is.
std::string Hex(std::string_view text) {
  std::ostringstream out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      out << c;
    } else {
      out << "\\x" << std::hex << std::uppercase << static_cast<int>(byte) << std::dec;
    }
  }
  return out.str();
}

std::vector<std::string> Lines(std::span<const MenuData> menu) {
  std::vector<std::string> lines;
  for (const MenuData& popup : menu) {
    lines.push_back("popup " + Hex(popup.title) + (popup.right_justify ? " right" : ""));
    for (const MenuItemData& item : popup.items) {
      lines.push_back("  " + std::to_string(item.command) + " " + Hex(item.text) +
                      (item.separator ? " separator" : "") + (item.checked ? " checked" : ""));
    }
  }
  return lines;
}

std::vector<std::string> Lines(std::span<const AcceleratorData> rows) {
  std::vector<std::string> lines;
  for (const AcceleratorData& row : rows) {
    std::ostringstream line;
    line << row.key << (row.virtual_key ? " virtual" : " ascii") << (row.alt ? " alt" : "")
         << (row.control ? " control" : "") << (row.shift ? " shift" : "") << " -> " << row.command;
    lines.push_back(line.str());
  }
  return lines;
}

std::vector<std::string> Lines(std::span<const DialogData> dialogs) {
  std::vector<std::string> lines;
  for (const DialogData& d : dialogs) {
    std::ostringstream line;
    line << d.id << " at " << d.x << "," << d.y << " " << d.width << "x" << d.height << std::hex
         << " style " << d.style << " ex " << d.ex_style << std::dec << " \"" << Hex(d.caption)
         << "\" " << d.font_points << " \"" << Hex(d.font_name) << "\"";
    lines.push_back(line.str());
    for (const ControlData& c : d.controls) {
      std::ostringstream control;
      control << "  " << static_cast<int>(c.control_class) << " " << c.id << " \"" << Hex(c.text)
              << "\" " << c.x << "," << c.y << " " << c.width << "x" << c.height << std::hex
              << " style " << c.style;
      lines.push_back(control.str());
    }
  }
  return lines;
}

std::vector<std::string> Lines(std::span<const StringTableData> tables) {
  std::vector<std::string> lines;
  for (const StringTableData& table : tables) {
    std::ostringstream line;
    line << "language " << std::hex << table.language;
    lines.push_back(line.str());
    for (const StringData& string : table.strings)
      lines.push_back("  " + std::to_string(string.id) + " " + Hex(string.text));
  }
  return lines;
}

using Expected = std::vector<std::string>;

TEST(ResourceTablesTest, MenuAndAcceleratorsAreTheFixtures) {
  const ResourceTables& tables = FixtureTables();
  EXPECT_EQ(tables.menu_id, 7);
  EXPECT_EQ(Lines(tables.menu), (Expected{
                                    "popup \\xCE\\xC4\\xBC\\xFE(&F)",
                                    "  300 \\xB5\\xDA\\xD2\\xBB(&A)\\x8F2 checked",
                                    "  0  separator",
                                    "  301 \\xB5\\xDA\\xB6\\xFE",
                                    "popup &Help right",
                                    "  302 &Help",
                                }));
  EXPECT_EQ(tables.accelerator_id, 7);
  EXPECT_EQ(Lines(tables.accelerators), (Expected{"113 virtual -> 300", "113 ascii alt -> 301"}));
}

TEST(ResourceTablesTest, DialogsAndTheirControlsAreTheFixtures) {
  const ResourceTables& tables = FixtureTables();
  EXPECT_EQ(Lines(tables.dialogs),
            (Expected{
                "40 at 1,2 30x40 style 80c00080 ex 0 \"\\xB1\\xEA\\xCC\\xE2\" 9 "
                "\"\\xCB\\xCE\\xCC\\xE5\"",
                "  0 -1 \"\" 1,2 3x4 style 50000007",
                "  1 -1 \"\\xD7\\xF3 & \\xD3\\xD2\" 5,6 7x8 style 50000080",
                "  2 9 \"\" 9,10 11x12 style 50810000",
                "  0 256 \"\\xBA\\xC3(&O)\" 13,14 15x16 style 50010001",
                "41 at 0,0 50x60 style 90000000 ex 80 \"Tool\" 8 \"Small\"",
            }));
  EXPECT_EQ(FindDialog(tables, 41), &tables.dialogs[1]);
  EXPECT_EQ(FindDialog(tables, 42), nullptr);
}

// The English block of its own LANGUAGE sits between two Chinese blocks; the second adds to
// the first Chinese table, and every table comes out in the order of its numbers.
TEST(ResourceTablesTest, StringsAreTheFixturesPerLanguage) {
  const ResourceTables& tables = FixtureTables();
  EXPECT_EQ(Lines(tables.strings), (Expected{
                                       "language 804",
                                       "  16 \\xC4\\xE3\\xBA\\xC3  ",
                                       "  17 \\xB0\\xE6\\xB1\\xBE 1.2",
                                       "  31 \\xD7\\xEE\\xBA\\xF3",
                                       "language 409",
                                       "  16 Hello",
                                       "  31 Last",
                                   }));
  ASSERT_EQ(FindStrings(tables, 0x409), &tables.strings[1]);
  EXPECT_EQ(FindStrings(tables, 0x407), &tables.strings[0]);  // no German: the first language
  EXPECT_EQ(FindString(tables.strings[1], 31), "Last");
  EXPECT_EQ(FindString(tables.strings[1], 17), std::nullopt);
}

// The picture is a 2 by 2, 1-bit BMP file: 14 bytes of file header, 40 of info header, two
// colours and two rows of 4 bytes.
TEST(ResourceTablesTest, FilesHoldTheirBytesAndTheLookUpSplitsTheBitmap) {
  const ResourceTables& tables = FixtureTables();
  ASSERT_EQ(tables.bitmaps.size(), 1u);
  EXPECT_EQ(tables.bitmaps[0].id, 3);
  const std::vector<std::uint8_t> picture(tables.bitmaps[0].bytes.begin(),
                                          tables.bitmaps[0].bytes.end());
  EXPECT_EQ(
      picture,
      (std::vector<std::uint8_t>{
          0x42, 0x4D, 0x46, 0, 0,    0, 0, 0, 0, 0, 0x3E, 0, 0,    0,              // file header
          0x28, 0,    0,    0, 2,    0, 0, 0, 2, 0, 0,    0, 1,    0,    1,    0,  // info header
          0,    0,    0,    0, 8,    0, 0, 0, 0, 0, 0,    0, 0,    0,    0,    0,
          2,    0,    0,    0, 0,    0, 0, 0, 0, 0, 0,    0, 0xFF, 0xFF, 0xFF, 0,  // colours
          0x40, 0,    0,    0, 0x80, 0, 0, 0,                                      // rows
      }));
  ASSERT_EQ(tables.icons.size(), 1u);
  EXPECT_EQ(tables.icons[0].id, 4);
  EXPECT_EQ(std::string(tables.icons[0].bytes.begin(), tables.icons[0].bytes.end()),
            std::string("\0\0\1\0icon", 8));

  const TableResourceLookup english(tables, 0x409);
  const DibView dib = english.Bitmap(3);
  EXPECT_EQ(dib.header.data(), tables.bitmaps[0].bytes.data() + 14);
  EXPECT_EQ(dib.header.size(), 48u);
  EXPECT_EQ(dib.bits.size(), 8u);
  EXPECT_TRUE(english.Bitmap(4).header.empty());  // an icon is no bitmap
  EXPECT_EQ(english.String(16), "Hello");
  EXPECT_EQ(english.String(17), "");  // missing in English: empty, not the Chinese
  EXPECT_EQ(TableResourceLookup(tables).String(17), "\xB0\xE6\xB1\xBE 1.2");
}

}  // namespace
}  // namespace rolvi::platform::widgets
