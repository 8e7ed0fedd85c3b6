#include "replay_session.h"

#include <charconv>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "game/kept_game.h"
#include "game/turn_flow.h"
#include "key_script.h"
#include "platform/gbk/gbk_text.h"
#include "platform/software/png_writer.h"
#include "platform/window_system.h"
#include "res/tables.h"
#include "shell/assets.h"

namespace rolvi::replay {
namespace {

using platform::GbkToUtf8;
using platform::Utf8ToGbk;

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
      ++at;
    std::size_t end = at;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t')
      ++end;
    if (end > at) words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

// A word of the script as an error message shows it: at most 80 characters, UTF-8 sequences
// kept whole; a longer word is cut and marked with "...".
std::string Quoted(std::string_view word) {
  constexpr int kQuotedCharacters = 80;
  std::size_t end = 0;
  for (int characters = 0; end < word.size() && characters < kQuotedCharacters; ++characters) {
    ++end;
    while (end < word.size() && (static_cast<unsigned char>(word[end]) & 0xC0) == 0x80)
      ++end;
  }
  if (end == word.size()) return std::string(word);
  return std::string(word.substr(0, end)) + "...";
}

int Number(std::string_view word, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || value < low || value > high) {
    throw ScriptError("bad number: " + Quoted(word));
  }
  return value;
}

void ExpectWords(const std::vector<std::string_view>& words, std::size_t count) {
  if (words.size() != count) throw ScriptError("wrong number of arguments to " + Quoted(words[0]));
}

std::string_view DialogName(int dialog) {
  switch (static_cast<shell::DialogId>(dialog)) {
    case shell::DialogId::kRules:
      return "rules";
    case shell::DialogId::kRecords:
      return "records";
    case shell::DialogId::kName:
      return "name";
    case shell::DialogId::kAbout:
      return "about";
    case shell::DialogId::kStatistics:
      return "statistics";
  }
  return "unknown";
}

constexpr int kCoordinateLimit = 65535;

}  // namespace

ReplaySession::ReplaySession(const SessionOptions& options, std::ostream& out)
    : out_(out),
      resources_(res::Tables()),
      files_(options.directory, Utf8ToGbk(options.directory.string()).value_or("")),
      system_({options.width, options.height}, options.seed, files_),
      window_(system_, shell::LoadAssets(resources_)) {
  system_.SetObserver(this);
  system_.Attach(window_);
  if (!options.resume.empty()) {
    window_.KeepGame({&paths_, options.resume, false,
                      [](std::string_view line) { std::cerr << "replay: " << line << "\n"; }});
  }
  system_.Create();
  system_.Resize(options.width, options.height);
}

ReplaySession::~ReplaySession() = default;

void ReplaySession::Run(std::string_view line) {
  // A script saved with CRLF line endings: the CR ends the line, it is not part of it.
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) {
    line = line.substr(0, hash);
  }
  const std::vector<std::string_view> words = Words(line);
  if (words.empty()) return;
  if (system_.destroyed()) throw ScriptError("the window has been closed");
  const std::string_view command = words[0];

  if (command == "click") {
    ExpectWords(words, 3);
    const int column = Number(words[1], 0, 8);
    const int row = Number(words[2], 0, 8);
    const platform::Point centre = shell::CellCentre(window_.layout().board_origin, {column, row});
    window_.OnMouseDown(centre.x, centre.y);
    window_.OnMouseUp(centre.x, centre.y);
  } else if (command == "key") {
    ExpectWords(words, 2);
    const std::optional<platform::ClientKey> key = ClientKeyNamed(words[1]);
    if (!key) throw ScriptError("unknown key: " + Quoted(words[1]));
    system_.PressKey(*key);
  } else if (command == "press" || command == "release") {
    ExpectWords(words, 3);
    // Window systems deliver the coordinates as unsigned 16-bit numbers.
    const int x = Number(words[1], 0, kCoordinateLimit);
    const int y = Number(words[2], 0, kCoordinateLimit);
    command == "press" ? window_.OnMouseDown(x, y) : window_.OnMouseUp(x, y);
  } else if (command == "command") {
    ExpectWords(words, 2);
    window_.OnCommand(Number(words[1], 0, kCoordinateLimit));
  } else if (command == "tick") {
    if (words.size() > 2) throw ScriptError("wrong number of arguments to tick");
    const int count = words.size() == 2 ? Number(words[1], 0, 1'000'000) : 1;
    for (int i = 0; i < count; ++i)
      window_.OnTimer();
  } else if (command == "size") {
    ExpectWords(words, 3);
    const int width = Number(words[1], 0, kCoordinateLimit);
    const int height = Number(words[2], 0, kCoordinateLimit);
    if (!system_.Resize(width, height)) {
      throw ScriptError("size " + std::to_string(width) + " " + std::to_string(height) +
                        " is too large: the client area has at most " +
                        std::to_string(platform::kMaxClientSide) + " pixels on a side");
    }
  } else if (command == "name") {
    const std::size_t start = line.find("name") + 4;
    std::string_view text = start < line.size() ? line.substr(start + 1) : std::string_view();
    while (!text.empty() && text.back() == ' ')
      text.remove_suffix(1);
    const std::optional<std::string> gbk = Utf8ToGbk(text);
    if (!gbk) throw ScriptError("name has characters GBK cannot hold");
    system_.name_answers().push_back(*gbk);
  } else if (command == "dump") {
    ExpectWords(words, 1);
    Dump();
  } else if (command == "records") {
    ExpectWords(words, 1);
    PrintRecords();
  } else if (command == "shot") {
    ExpectWords(words, 2);
    Shot(std::string(words[1]));
  } else if (command == "shot-stats") {
    ExpectWords(words, 2);
    system_.ServePendingRepaints();
    platform::SoftSurface* stats = system_.stats_surface();
    if (!stats) throw ScriptError("the statistics window is not open");
    if (!platform::SavePng(*stats, {0, 0, stats->width(), stats->height()},
                           std::string(words[1]))) {
      throw ScriptError("cannot write " + Quoted(words[1]));
    }
  } else if (command == "keep") {
    ExpectWords(words, 2);
    Keep(std::string(words[1]));
  } else if (command == "shot-at-message") {
    ExpectWords(words, 2);
    shot_at_message_ = std::string(words[1]);
  } else if (command == "log") {
    ExpectWords(words, 2);
    if (words[1] != "on" && words[1] != "off") throw ScriptError("log takes on or off");
    logging_ = words[1] == "on";
  } else {
    throw ScriptError("unknown command: " + Quoted(command));
  }
  system_.ServePendingRepaints();
}

void ReplaySession::Finish() {
  system_.Destroy();
}

void ReplaySession::OnBeep() {
  if (logging_) out_ << "beep\n";
}

void ReplaySession::OnMessageBox(std::string_view gbk_text, std::string_view) {
  ++message_boxes_;
  if (logging_) out_ << "messagebox " << GbkToUtf8(gbk_text) << "\n";
  if (!shot_at_message_.empty()) {
    Shot(shot_at_message_);
    shot_at_message_.clear();
  }
}

void ReplaySession::OnProblem(std::string_view gbk_text, std::string_view) {
  if (!logging_) return;
  std::string line = GbkToUtf8(gbk_text);
  for (char& c : line) {
    if (c == '\n') c = ' ';
  }
  out_ << "problem " << line << "\n";
}

void ReplaySession::OnDialog(int dialog) {
  if (logging_) out_ << "dialog " << DialogName(dialog) << "\n";
}

void ReplaySession::OnStatsRefresh() {
  if (logging_) out_ << "stats-refresh\n";
}

void ReplaySession::Dump() {
  const game::Game& state = game();
  std::ostringstream text;
  text << "board\n";
  for (int row = 0; row < game::kBoardSide; ++row) {
    for (int column = 0; column < game::kBoardSide; ++column) {
      text << static_cast<int>(state.supply.board.at(column, row));
    }
    text << "\n";
  }
  const auto& next = state.supply.next.colours;
  text << "next " << int{next[0]} << " " << int{next[1]} << " " << int{next[2]} << "\n";
  text << "score " << state.score.score << "\n";
  text << "recordScore " << state.records.recordScore << "\n";
  text << "recordBeaten " << (state.score.recordBeaten ? 1 : 0) << "\n";
  text << "selection " << static_cast<int>(state.turn.selection) << " "
       << state.turn.selectedCell.column << " " << state.turn.selectedCell.row << "\n";
  text << "frameCounter " << state.turn.frameCounter << "\n";
  text << "tally";
  for (const std::uint32_t removed : state.supply.tally.removed)
    text << " " << removed;
  text << "\n";
  text << "king " << state.figures.kingOffset << " " << int{state.figures.kingFrame} << "\n";
  text << "player " << state.figures.playerOffset << " " << int{state.figures.crownFrame} << "\n";
  text << "showNext " << (window_.show_next() ? 1 : 0) << "\n";
  text << "statsOpen " << (window_.stats_open() ? 1 : 0) << "\n";
  text << "clock " << system_.clock_ms() << "\n";
  text << "end\n";
  out_ << text.str();
}

void ReplaySession::PrintRecords() {
  const records::RecordBook& book = game().records;
  out_ << "records\n";
  for (const records::RecordEntry& entry : book.table) {
    out_ << GbkToUtf8(records::NameText(entry.name)) << "\t" << entry.score << "\n";
  }
  out_ << "kingName " << GbkToUtf8(records::NameText(book.kingName)) << "\n";
  out_ << "lastName " << GbkToUtf8(records::NameText(book.lastName)) << "\n";
  out_ << "dirty " << (book.recordsDirty ? 1 : 0) << "\n";
  out_ << "end\n";
}

// Written as the program keeps a game between runs; --resume continues it.
void ReplaySession::Keep(const std::string& path) {
  const game::KeptGameImage image = game::EncodeKeptGame(window_.KeptState());
  if (paths_.ReplaceAtomically(path, image) != platform::FileError::kNone) {
    throw ScriptError("cannot write " + Quoted(path));
  }
}

void ReplaySession::Shot(const std::string& path) {
  platform::SoftSurface& surface = system_.surface();
  if (!platform::SavePng(surface, {0, 0, surface.width(), surface.height()}, path)) {
    throw ScriptError("cannot write " + Quoted(path));
  }
}

}  // namespace rolvi::replay
