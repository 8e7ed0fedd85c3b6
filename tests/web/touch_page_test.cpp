// The web window system on a touch screen's page (a phone): the main window without a frame
// or menu bar, its client the size the shell asks for the page's points and following the
// page's turns, the menu as the page's button and the commands it sends, finger-sized dialogs,
// and the name typed into the page's own text input.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/web/storage_file_system.h"
#include "platform/web/touch_menu.h"
#include "platform/web/web_window_system.h"
#include "records/record_file.h"
#include "res/tables.h"
#include "shell/main_window.h"
#include "shell/touch_layout.h"
#include "support/program_assets.h"
#include "web/fake_page.h"

namespace rolvi::platform::web {
namespace {

using testing::FakePage;
using testing::FakeStore;
using ::testing::HasSubstr;
using testing::ScriptEnded;

constexpr int kMain = 1;
constexpr Size kPhone{390, 844};

std::uint32_t Seed() {
  return 3;
}

FakePage PhonePage() {
  FakePage page;
  page.SetTouchScreen(kPhone);
  return page;
}

PageEvent Event(PageEvent::Kind kind, int window = 0, int x = 0, int y = 0) {
  return PageEvent{
      .kind = kind, .window = window, .x = x, .y = y, .code = {}, .key = {}, .text = {}};
}

class TouchPageTest : public ::testing::Test {
 protected:
  TouchPageTest()
      : page(PhonePage()),
        files(store, "rolvi.records", "winrolvi.res"),
        system(page, shell::kMainWindowSize, res::TablesFor("zh-CN"),
               shell::MainWindowIdentity(rolvi::testing::ProgramTexts().title), files, &Seed),
        window(system, rolvi::testing::ProgramAssets(), shell::RecordSaving::kWhenAResultEnters) {}

  bool Run() {
    try {
      system.Run(window);
      return true;
    } catch (const ScriptEnded&) {
      return false;
    }
  }
  void Command(int command) { page.Push(Event(PageEvent::Kind::kCommand, 0, command)); }
  void FieldText(std::string text) {
    page.Do([this, text] {
      page.SetFieldText(text);
      page.Push(Event(PageEvent::Kind::kFieldChanged, page.text_field()->window));
    });
  }
  std::string Edit() const {
    const auto dialogs = system.Dialogs();
    if (dialogs.empty()) return "<no dialog>";
    const widgets::EditField* edit = dialogs.front()->model().Edit();
    return edit != nullptr ? edit->text() : "<no field>";
  }
  std::string StoredName(std::size_t index) {
    StorageFileSystem stored(store, "rolvi.records", "winrolvi.res");
    records::RecordBook book;
    records::LoadRecords(book, stored, rolvi::testing::ProgramTexts().default_names);
    return std::string(records::NameText(book.table[index].name));
  }

  FakePage page;
  FakeStore store;
  StorageFileSystem files;
  WebWindowSystem system;
  shell::MainWindow window;
};

TEST_F(TouchPageTest, TheClientFillsThePhoneFollowsItsTurnsAndTakesTheMenusCommands) {
  page.Do([&] {
    const testing::FakeCanvas& main = page.canvas(kMain);
    EXPECT_EQ(page.kind(kMain), PageWindowKind::kMain);
    EXPECT_EQ(main.size, shell::TouchClientSize(kPhone));  // no frame, no menu bar
    EXPECT_EQ(system.ClientSize(), main.size);
    EXPECT_THAT(system.Describe(), HasSubstr("\"bar\":0"));
    EXPECT_EQ(page.menu_button(), window.touch_places().menu_button);
    // The whole menu went to the page, its names with their mnemonics and without the keys,
    // the preview's check mark on.
    EXPECT_THAT(page.menu_json(),
                HasSubstr("{\"text\":" + HexString("\xD0\xC2\xD3\xCE\xCF\xB7(&N)") +
                          ",\"command\":256,\"checked\":false}"));
    EXPECT_THAT(page.menu_json(), HasSubstr("\"command\":512,\"checked\":true"));
  });
  page.Push(Event(PageEvent::Kind::kViewport, 0, kPhone.height, kPhone.width));
  page.Do([&] {
    const Size turned = shell::TouchClientSize({kPhone.height, kPhone.width});
    EXPECT_EQ(page.canvas(kMain).size, turned);
    EXPECT_EQ(system.ClientSize(), turned);
    shell::Layout layout;
    shell::TouchPlaces places;
    shell::ApplyTouchClientSize(layout, places, turned.width, turned.height);
    EXPECT_EQ(window.layout(), layout);
    EXPECT_EQ(page.menu_button(), places.menu_button);
  });
  Command(513);  // the statistics window, with its check mark
  page.Do([&] {
    ASSERT_EQ(system.Dialogs().size(), 1u);
    EXPECT_EQ(page.kind(system.Dialogs()[0]->id()), PageWindowKind::kTool);
    EXPECT_EQ(page.menu_checks().at(513), true);
  });
  Command(258);  // exit
  EXPECT_TRUE(Run());
  EXPECT_TRUE(page.closed_shown());
}

TEST_F(TouchPageTest, TheNameIsTypedIntoThePagesOwnFieldAndCheckedAsEver) {
  page.Do([&] { const_cast<game::Game&>(window.game()).score.score = 42; });
  Command(256);
  page.Do([&] {
    ASSERT_TRUE(page.text_field().has_value());
    const auto& field = *page.text_field();
    EXPECT_EQ(field.text, "Ulvo Dask");
    EXPECT_EQ(page.kind(field.window), PageWindowKind::kDialog);
    // Over the drawn field of the dialog's canvas, whose OK button is a finger high.
    const widgets::DialogModel& model = system.Dialogs()[0]->model();
    const Rect edit = model.controls()[2].rect;
    EXPECT_EQ(field.rect.width(), edit.width());
    EXPECT_EQ(field.rect.height(), edit.height());
    EXPECT_EQ(model.controls()[3].rect.height(), kTouchTargetSide);
  });
  FieldText("Grace");
  page.Do([&] {
    EXPECT_EQ(Edit(), "Grace");
    EXPECT_EQ(page.text_field()->updates, 1);  // the page has it already
  });
  // More than the drawn field holds: the page's field is given back what the field keeps.
  FieldText(std::string(20, 'W'));
  page.Do([&] {
    EXPECT_LT(Edit().size(), 20u);
    EXPECT_EQ(page.text_field()->text, Edit());
  });
  // Changes reported for a window without a field go nowhere.
  page.Push(Event(PageEvent::Kind::kFieldChanged, kMain));
  FieldText("Ann\xA3\xBF");  // what the page sends for a character without a GBK form
  page.Press("Enter", "Enter");
  page.Do([&] {
    ASSERT_EQ(system.Dialogs().size(), 2u);
    EXPECT_EQ(system.Dialogs()[1]->kind(), widgets::DialogSession::Kind::kMessageBox);
    EXPECT_EQ(Edit(), "Ann\xA3\xBF");
  });
  page.Press("Enter", "Enter");
  FieldText("Grace");
  page.Press("Enter", "Enter");
  page.Do([&] {
    EXPECT_EQ(StoredName(1), "Grace");
    EXPECT_FALSE(page.text_field().has_value());  // it went with the name dialog
  });
  Command(258);  // ignored while the records list is up
  page.Press("Enter", "Enter");
  Command(258);
  EXPECT_TRUE(Run());
}

}  // namespace
}  // namespace rolvi::platform::web
