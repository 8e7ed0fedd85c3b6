// replay [--seed N] [--dir DIR] [--size W H] [--resume PATH] [--lang zh|en] < script
// Plays a script of clicks, commands and ticks on the headless game and prints what it asks,
// in Chinese unless --lang names another of the program's languages.
#include <charconv>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "platform/widgets/language_match.h"
#include "platform/window_system.h"
#include "replay_session.h"
#include "res/tables.h"

namespace {

int Usage() {
  std::cerr << "usage: replay [--seed N] [--dir DIR] [--size W H] [--resume PATH] [--lang zh|en]"
               " < script\n";
  return 2;
}

bool ParseNumber(std::string_view text, long long low, long long high, long long& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= low && value <= high;
}

}  // namespace

int main(int argc, char** argv) {
  rolvi::replay::SessionOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    long long value = 0;
    long long height = 0;
    if (arg == "--seed" && i + 1 < argc && ParseNumber(argv[i + 1], 0, 0xFFFFFFFFLL, value)) {
      options.seed = static_cast<std::uint32_t>(value);
      i += 1;
    } else if (arg == "--lang" && i + 1 < argc) {
      const std::string_view wanted[] = {argv[++i]};
      if (rolvi::platform::widgets::MatchLanguage(rolvi::res::Languages(), wanted) == nullptr) {
        std::cerr << "replay: --lang takes one of";
        for (const auto& tables : rolvi::res::Languages())
          std::cerr << " " << tables.tag;
        std::cerr << "\n";
        return 2;
      }
      options.language = wanted[0];
    } else if (arg == "--dir" && i + 1 < argc) {
      options.directory = argv[++i];
    } else if (arg == "--resume" && i + 1 < argc) {
      options.resume = argv[++i];
    } else if (arg == "--size") {
      const long long largest = rolvi::platform::kMaxClientSide;
      if (i + 2 >= argc || !ParseNumber(argv[i + 1], 1, largest, value) ||
          !ParseNumber(argv[i + 2], 1, largest, height)) {
        std::cerr << "replay: --size takes a width and a height from 1 to " << largest << "\n";
        return 2;
      }
      options.width = static_cast<int>(value);
      options.height = static_cast<int>(height);
      i += 2;
    } else {
      return Usage();
    }
  }

  rolvi::replay::ReplaySession session(options, std::cout);
  std::string line;
  int number = 0;
  try {
    while (std::getline(std::cin, line)) {
      ++number;
      session.Run(line);
    }
  } catch (const rolvi::replay::ScriptError& error) {
    std::cerr << "line " << number << ": " << error.what() << "\n";
    return 2;
  } catch (const rolvi::platform::NoQueuedAnswer& error) {
    std::cerr << "line " << number << ": " << error.what() << "\n";
    return 2;
  }
  session.Finish();
  return 0;
}
