// The coloured list control as a model: entries with colour codes, sorting, selection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/signal.h"

namespace orva {

class LstBox {
  public:
    void AddItem(const std::string& sItem);
    void Alphabetical(const std::string& sItem);
    void clearList();
    void deleteIndex(std::int16_t index);
    std::int16_t FindItemNoColor(const std::string& name) const;
    std::string getContent2(std::int16_t index) const;
    std::int16_t listCount() const { return ItemCount; }
    std::int16_t listIndex() const { return SelectedIndex; }
    void Original_Insert(const std::string& sItem);
    static std::string remove_ALL_COLOR_DATA(const std::string& sExpr);
    void SelectDown();
    void SelectUp();
    void setCount(const std::string& caption);
    void updateCell(std::int16_t index, const std::string& smsg);
    void updateList();

    const std::string& caption() const { return caption_; }

    std::vector<std::string> Items;
    std::int16_t ItemCount = 0;
    std::int16_t SelectedIndex = -1;
    std::int16_t TopIndex = 0;

    Signal<> changed;  // entries, selection or caption changed: repaint (coalesced by the widget)

  private:
    std::string caption_ = "0 players.";
};

}  // namespace orva
