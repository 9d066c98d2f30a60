// The door to the desktop's notifications and the tray icon.
#pragma once

#include <string>

namespace orva {

class INotifier {
  public:
    virtual ~INotifier() = default;
    // Raises one desktop notification and returns at once. Texts are code page 1252 bytes, plain.
    virtual void notify(const std::string& summary, const std::string& body) = 0;
    // The tray icon's tooltip (where the desktop has a tray).
    virtual void setTrayToolTip(const std::string& text) = 0;
};

}  // namespace orva
