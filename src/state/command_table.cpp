#include "state/command_table.h"

#include <algorithm>

namespace pelkit {

CommandTable::CommandTable(std::initializer_list<std::vector<CommandEntry>> lists) {
    for (const std::vector<CommandEntry>& list : lists)
        entries_.insert(entries_.end(), list.begin(), list.end());
    std::sort(entries_.begin(), entries_.end(),
              [](const CommandEntry& a, const CommandEntry& b) { return a.first < b.first; });
}

const CommandEntry* CommandTable::find(int id) const {
    // The last entry starting at or before ID; overlapping entries are refused by a test.
    auto after = std::upper_bound(entries_.begin(), entries_.end(), id,
                                  [](int v, const CommandEntry& e) { return v < e.first; });
    if (after == entries_.begin()) return nullptr;
    const CommandEntry& e = *(after - 1);
    return id <= e.last ? &e : nullptr;
}

bool CommandTable::run(AppState& app, int id, int32_t param) const {
    const CommandEntry* e = find(id);
    if (!e) return false;
    e->handler(app, id, param);
    return true;
}

}  // namespace pelkit
