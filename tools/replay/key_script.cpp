#include "key_script.h"

#include <algorithm>
#include <array>
#include <utility>

namespace rolvi::replay {

using platform::ClientKey;

namespace {

constexpr std::array<std::pair<std::string_view, ClientKey>, 10> kKeyNames{{
    {"left", ClientKey::kLeft},
    {"right", ClientKey::kRight},
    {"up", ClientKey::kUp},
    {"down", ClientKey::kDown},
    {"home", ClientKey::kHome},
    {"end", ClientKey::kEnd},
    {"pageup", ClientKey::kPageUp},
    {"pagedown", ClientKey::kPageDown},
    {"space", ClientKey::kSpace},
    {"enter", ClientKey::kEnter},
}};

// The keys that move the cursor, in the order a way is preferred.
constexpr std::array<ClientKey, 8> kMoveKeys{
    ClientKey::kLeft, ClientKey::kRight, ClientKey::kUp,     ClientKey::kDown,
    ClientKey::kHome, ClientKey::kEnd,   ClientKey::kPageUp, ClientKey::kPageDown};

int IndexOf(game::CellRef cell) {
  return game::CellIndex(cell.column, cell.row);
}

}  // namespace

std::optional<ClientKey> ClientKeyNamed(std::string_view name) {
  for (const auto& [key_name, key] : kKeyNames) {
    if (key_name == name) return key;
  }
  return std::nullopt;
}

std::string_view NameOf(ClientKey key) {
  for (const auto& [key_name, named] : kKeyNames) {
    if (named == key) return key_name;
  }
  return {};
}

std::vector<ClientKey> KeysBetween(game::CellRef from, game::CellRef to) {
  // A breadth-first search over the 81 cells with the cursor's own steps.
  struct Reached {
    bool seen = false;
    game::CellRef before;
    ClientKey key = ClientKey::kLeft;
  };
  std::array<Reached, game::kCellCount> reached{};
  std::array<game::CellRef, game::kCellCount> queue{};
  std::size_t head = 0;
  std::size_t tail = 0;
  reached[static_cast<std::size_t>(IndexOf(from))].seen = true;
  queue[tail++] = from;
  while (head < tail && !reached[static_cast<std::size_t>(IndexOf(to))].seen) {
    const game::CellRef cell = queue[head++];
    for (const ClientKey key : kMoveKeys) {
      const game::CellRef next = shell::CursorStep(cell, key);
      Reached& entry = reached[static_cast<std::size_t>(IndexOf(next))];
      if (entry.seen) continue;
      entry = {true, cell, key};
      queue[tail++] = next;
    }
  }
  std::vector<ClientKey> keys;
  for (game::CellRef cell = to; cell != from;) {
    const Reached& entry = reached[static_cast<std::size_t>(IndexOf(cell))];
    keys.push_back(entry.key);
    cell = entry.before;
  }
  std::reverse(keys.begin(), keys.end());
  return keys;
}

std::vector<ClientKey> KeysForClick(const shell::BoardCursor& cursor, const game::TurnState& turn,
                                    game::CellRef cell) {
  shell::BoardCursor shown = cursor;
  if (!shown.shown()) shown.Show(turn);
  const std::vector<ClientKey> way = KeysBetween(shown.cell(), cell);
  std::vector<ClientKey> keys;
  keys.reserve(way.size() + 2);
  if (!cursor.shown()) keys.push_back(way.empty() ? ClientKey::kLeft : way.front());
  keys.insert(keys.end(), way.begin(), way.end());
  keys.push_back(ClientKey::kEnter);
  return keys;
}

}  // namespace rolvi::replay
