// The lines sent from the input line in this run, recalled with Ctrl+Up and Ctrl+Down.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace orva {

class InputHistory {
  public:
    static constexpr std::size_t kKept = 100;

    // A line sent with Enter; browsing starts again from the newest.
    void add(std::string line);
    // The line before the one shown; `typing` is kept when browsing starts from it. Nothing
    // when there is no older line.
    std::optional<std::string> older(const std::string& typing);
    // The line after the one shown; past the newest, what was being typed. Nothing when not
    // browsing.
    std::optional<std::string> newer();

  private:
    std::deque<std::string> lines_;  // oldest first
    std::optional<std::size_t> at_;  // the line shown, while browsing
    std::string typing_;
};

}  // namespace orva
