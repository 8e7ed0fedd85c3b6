// The page's program: the web window system on the browser page driving the shell's main
// window, with the record table in the page's storage, shared with the page's other tabs
// (whose saves the page reports). The page keeps the table as soon as a
// result enters it and whenever it is hidden, since it may be closed at any moment, and the
// game in progress beside it at every turn's end and whenever it is hidden; it hears the score
// and the game's end for its live region whenever the program waits. It speaks the language
// the page chose from the address and the browser's languages. The test
// build takes its seed from the page's address and tells the page's tests what it shows.
#include <emscripten.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/web/browser_page.h"
#include "platform/web/storage_file_system.h"
#include "platform/web/web_window_system.h"
#include "platform/widgets/language_match.h"
#include "platform/widgets/table_resource_lookup.h"
#include "records/record_file.h"
#include "res/tables.h"
#include "shell/assets.h"
#include "shell/layout.h"
#include "shell/main_window.h"
#include "shell/settings.h"

namespace {

// The keys under which the page keeps the game in progress and the settings file (the record
// file's 160 bytes: kRecordsStorageKey).
constexpr const char* kKeptGameKey = "rolvi.game";
constexpr const char* kSettingsKey = "rolvi.settings";

// The browser back end's one global: what the page's C callbacks (a hidden page, and the test
// build's description) reach while the program runs.
struct Running {
  rolvi::platform::web::WebWindowSystem* system = nullptr;
  const rolvi::shell::MainWindow* window = nullptr;
};
Running running;

// clang-format off
EM_JS(void, rolvi_report_game, (int score, int over, int record_beaten), {
  rolviPage.reportGame(score, over !== 0, record_beaten !== 0);
});
// clang-format on

// clang-format off
EM_JS(char*, rolvi_wanted_languages, (), {
  const line = rolviPage.wantedLanguages();
  const size = lengthBytesUTF8(line) + 1;
  const copy = _malloc(size);
  if (copy) stringToUTF8(line, copy, size);
  return copy;
});
// clang-format on

// The program's texts in the first language the page's list wants that the program has, else
// in its language of last resort.
const rolvi::platform::widgets::ResourceTables& ChosenTables() {
  char* const line = rolvi_wanted_languages();
  const std::string list = line != nullptr ? line : "";
  std::free(line);
  std::vector<std::string_view> wanted;
  for (std::size_t at = 0; at < list.size();) {
    const std::size_t end = std::min(list.find(',', at), list.size());
    wanted.push_back(std::string_view(list).substr(at, end - at));
    at = end + 1;
  }
  return rolvi::platform::widgets::ChooseLanguage(rolvi::res::Languages(), wanted);
}

// What the page's live region announces from: the score, whether the board is full (the game
// is over) and whether the record is beaten.
struct GameNews {
  int score = -1;
  bool over = false;
  bool record_beaten = false;
  friend bool operator==(const GameNews&, const GameNews&) = default;
};

GameNews NewsOf(const rolvi::game::Game& game) {
  const auto& cells = game.supply.board.cells;
  return {game.score.score,
          std::find(cells.begin(), cells.end(), rolvi::game::kEmpty) == cells.end(),
          game.score.recordBeaten};
}

// Milliseconds since the page started.
std::uint32_t PageTicks() {
  return static_cast<std::uint32_t>(emscripten_get_now());
}

#ifdef ROLVI_WEB_TEST_BUILD
// clang-format off
EM_JS(int, rolvi_test_seed, (), { return rolviPage.testSeed(); });
// clang-format on

std::uint32_t Ticks() {  // the test build: ?seed=N fixes the seed
  const int seed = rolvi_test_seed();
  return seed >= 0 ? static_cast<std::uint32_t>(seed) : PageTicks();
}

std::string Hex(std::string_view gbk) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string hex = "\"";
  for (const char c : gbk) {
    hex += kDigits[static_cast<unsigned char>(c) >> 4];
    hex += kDigits[static_cast<unsigned char>(c) & 15];
  }
  return hex + "\"";
}

std::string Pair(rolvi::platform::Point point) {
  return "[" + std::to_string(point.x) + "," + std::to_string(point.y) + "]";
}

// The game as the page's tests compare it with the headless game's dump, and where its first
// cells' centres are in the client area.
std::string DescribeGame(const rolvi::shell::MainWindow& window) {
  const auto& game = window.game();
  const rolvi::platform::Point origin = window.layout().board_origin;
  std::string board;
  for (const auto cell : game.supply.board.cells)
    board += std::to_string(cell);
  std::string json = "{\"board\":\"" + board + "\",\"next\":[";
  const auto& next = game.supply.next.colours;
  for (std::size_t i = 0; i < next.size(); ++i) {
    json += (i > 0 ? "," : "") + std::to_string(next[i]);
  }
  json += "],\"score\":" + std::to_string(game.score.score) +
          ",\"selection\":" + std::to_string(static_cast<int>(game.turn.selection)) +
          ",\"firstCell\":" + Pair(rolvi::shell::CellCentre(origin, {0, 0})) +
          ",\"nextCell\":" + Pair(rolvi::shell::CellCentre(origin, {1, 1})) + ",\"records\":[";
  for (std::size_t i = 0; i < game.records.table.size(); ++i) {
    const auto& entry = game.records.table[i];
    json += std::string(i > 0 ? "," : "") +
            "{\"name\":" + Hex(rolvi::records::NameText(entry.name)) +
            ",\"score\":" + std::to_string(entry.score) + "}";
  }
  return json + "]}";
}
#else
std::uint32_t Ticks() {
  return PageTicks();
}
#endif

}  // namespace

// Called by the page when it is hidden: it may never be shown again.
extern "C" EMSCRIPTEN_KEEPALIVE void rolvi_page_hidden() {
  if (running.system != nullptr) running.system->OnPageHidden();
}

#ifdef ROLVI_WEB_TEST_BUILD
// The windows and the game, as JSON whose texts are the hex digits of their GBK bytes.
extern "C" EMSCRIPTEN_KEEPALIVE const char* rolvi_test_state() {
  static std::string state;
  if (running.system == nullptr || running.window == nullptr) return "null";
  state = "{\"windows\":" + running.system->Describe() +
          ",\"game\":" + DescribeGame(*running.window) + "}";
  return state.c_str();
}
#endif

int main() {
  using namespace rolvi;
  platform::web::BrowserPage page;
  platform::web::BrowserStorage storage;
  platform::web::StorageFileSystem files(storage, std::string(platform::web::kRecordsStorageKey),
                                         std::string(records::kRecordFileName));
  platform::web::StorageFileSystem settings(storage, kSettingsKey,
                                            std::string(shell::kSettingsFileName));
  const platform::widgets::ResourceTables& tables = ChosenTables();
  const platform::widgets::TableResourceLookup resources(tables);
  const shell::Assets assets = shell::LoadAssets(resources);
  platform::web::WebWindowSystem system(page, shell::kMainWindowSize, tables,
                                        shell::MainWindowIdentity(assets.texts.title), files,
                                        &Ticks);
  shell::MainWindow window(system, assets, shell::RecordSaving::kWhenAResultEnters, &settings);
  // A page can be reloaded, closed or discarded at any moment: its game is always kept.
  platform::web::StorageFileSystem game_files(storage, kKeptGameKey,
                                              std::string(shell::kKeptGameFileName));
  window.KeepGame(
      {&game_files, std::string(shell::kKeptGameFileName), true, [](std::string_view line) {
         std::fprintf(stderr, "rolvi: %.*s\n", static_cast<int>(line.size()), line.data());
       }});
  // Whenever the program waits for the player, the page hears what changed in the game.
  page.OnWaiting([&window, reported = GameNews{}]() mutable {
    const GameNews news = NewsOf(window.game());
    if (news == reported) return;
    reported = news;
    rolvi_report_game(news.score, news.over ? 1 : 0, news.record_beaten ? 1 : 0);
  });
  running = Running{&system, &window};
  system.Run(window);
  running = Running{};
  return 0;
}
