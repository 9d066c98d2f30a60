// The coloured list control as a model: entries with colour codes, sorting, selection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/signal.h"

namespace orva {

class LstBox {
public:
    void setCount(const std::string& caption);
    std::string caption() const { return caption_; }

private:
    std::string caption_ = "0 players.";
};

}  // namespace orva
