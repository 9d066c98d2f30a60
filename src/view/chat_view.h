// The chat view as a model: the append-only RTF document and its styled lines.
#pragma once

#include <string>

#include "core/signal.h"

namespace orva {

class ChatView {
  public:
    const std::string& TextRTF() const { return rtf_; }

  private:
    std::string rtf_;
};

}  // namespace orva
