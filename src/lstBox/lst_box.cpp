#include "lstBox/lst_box.h"

#include <algorithm>
#include <cctype>

namespace orva {

// Provisional: replaced by the full list model.
namespace {
std::string lower(std::string s) {
    for (auto& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
}  // namespace

void LstBox::AddItem(const std::string& sItem) {
    Alphabetical(sItem);
}

void LstBox::Alphabetical(const std::string& sItem) {
    if (FindItemNoColor(remove_ALL_COLOR_DATA(sItem)) >= 0) return;
    Items.resize(static_cast<size_t>(ItemCount));
    Items.push_back(sItem);
    ++ItemCount;
    changed.emit();
}

void LstBox::clearList() {
    Items.clear();
    ItemCount = 0;
    SelectedIndex = -1;
    changed.emit();
}

void LstBox::deleteIndex(std::int16_t index) {
    if (index < 0 || index >= ItemCount) return;
    Items.erase(Items.begin() + index);
    --ItemCount;
    changed.emit();
}

std::int16_t LstBox::FindItemNoColor(const std::string& name) const {
    for (std::int16_t i = 0; i < ItemCount; ++i)
        if (lower(getContent2(i)) == lower(name)) return i;
    return -1;
}

std::string LstBox::getContent2(std::int16_t index) const {
    if (index < 0 || index >= ItemCount) return {};
    return remove_ALL_COLOR_DATA(Items[static_cast<size_t>(index)]);
}

void LstBox::Original_Insert(const std::string& sItem) {
    Items.resize(static_cast<size_t>(ItemCount));
    Items.push_back(sItem);
    ++ItemCount;
}

std::string LstBox::remove_ALL_COLOR_DATA(const std::string& sExpr) {
    return sExpr.size() >= 2 && sExpr[0] == '\\' ? sExpr.substr(2) : sExpr;
}

void LstBox::SelectDown() {
    SelectedIndex = std::min<std::int16_t>(SelectedIndex + 1, ItemCount - 1);
}
void LstBox::SelectUp() {
    SelectedIndex = std::max<std::int16_t>(SelectedIndex - 1, 0);
}

void LstBox::setCount(const std::string& caption) {
    caption_ = caption;
    changed.emit();
}

void LstBox::updateCell(std::int16_t index, const std::string& smsg) {
    if (index < 0 || index >= ItemCount) return;
    Items[static_cast<size_t>(index)] = smsg;
    changed.emit();
}

void LstBox::updateList() {
    changed.emit();
}

}  // namespace orva
