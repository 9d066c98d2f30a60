// Player names come from the server: any bytes must leave the list consistent.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/case_fold.h"
#include "lstBox/lst_box.h"

namespace {
void check(bool ok) {
    if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using orva::LstBox;
    const std::string input(reinterpret_cast<const char*>(data), size);
    LstBox l;
    l.picList_Resize(200, 120, 16, 16);
    l.isSpectator = [](const std::string& name) { return name.size() % 2 == 1; };
    size_t pos = 0;
    for (int lines = 0; pos < input.size() && lines < 200; ++lines) {
        auto end = input.find('\n', pos);
        if (end == std::string::npos) end = input.size();
        const std::string line = input.substr(pos, std::min<size_t>(end - pos, 300));
        pos = end + 1;
        if (line.empty()) continue;
        const std::string entry = line.substr(1);
        const auto arg = static_cast<std::int16_t>(static_cast<unsigned char>(line[0]) % 16 - 2);

        std::string runs;
        for (const auto& run : LstBox::print_in_COLOR(entry))
            runs += run.text;
        check(runs == LstBox::remove_ALL_COLOR_DATA(entry));

        switch (static_cast<unsigned char>(line[0]) % 9) {
            case 0:
            case 1:
            case 2:
                l.AddItem(entry);
                break;
            case 3:
                l.Original_Insert(entry);
                break;
            case 4:
                l.updateCell(arg, entry);
                break;
            case 5:
                l.deleteIndex(arg);
                break;
            case 6:
                l.picList_MouseDown(1 + arg % 3, arg * 7);
                break;
            case 7:
                l.picList_KeyDown(arg % 2 ? 40 : 38);
                break;
            default:
                l.scrollV_Change(arg);
                break;
        }

        for (const auto& row : l.planRows())
            check(row.index >= 0 && row.index < l.listCount());
    }
    // Every entry is found by its name, at its own index or at an earlier one of the same name.
    for (std::int16_t i = 0; i < l.listCount(); ++i) {
        const auto found = l.FindItemNoColor(l.getContent2(i));
        check(found >= 0 && found <= i);
        check(orva::foldCase(l.getContent2(found)) == orva::foldCase(l.getContent2(i)));
    }
    return 0;
}
