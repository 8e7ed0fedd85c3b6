// The keyboard in replay scripts: the names of the client's keys ("key left", "key pageup",
// "key enter"), and a click on a cell turned into the keys that bring the board cursor there
// and act on it, so that any game of clicks can be played again by keys alone.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "platform/window_system.h"
#include "shell/board_cursor.h"

namespace rolvi::replay {

std::optional<platform::ClientKey> ClientKeyNamed(std::string_view name);
std::string_view NameOf(platform::ClientKey key);

// The fewest move keys that bring the cursor from `from` to `to` (arrows before jumps among
// equals).
std::vector<platform::ClientKey> KeysBetween(game::CellRef from, game::CellRef to);

// The keys of a click on `cell`: a hidden cursor is first shown (by the first key of its way
// there, which shows it without moving it), then moved, then Enter.
std::vector<platform::ClientKey> KeysForClick(const shell::BoardCursor& cursor,
                                              const game::TurnState& turn, game::CellRef cell);

}  // namespace rolvi::replay
