#include "chat/input_history.h"

namespace orva {

void InputHistory::add(std::string line) {
    lines_.push_back(std::move(line));
    if (lines_.size() > kKept) lines_.pop_front();
    at_.reset();
}

std::optional<std::string> InputHistory::older(const std::string& typing) {
    if (!at_) {
        if (lines_.empty()) return std::nullopt;
        typing_ = typing;
        at_ = lines_.size();
    }
    if (*at_ == 0) return std::nullopt;
    return lines_[--*at_];
}

std::optional<std::string> InputHistory::newer() {
    if (!at_) return std::nullopt;
    if (++*at_ < lines_.size()) return lines_[*at_];
    at_.reset();
    return typing_;
}

}  // namespace orva
