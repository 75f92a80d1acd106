// Commands as tables: each feature lists the identifiers it answers with the handler of each
// (one identifier or a range of them); the application merges the lists into one table, so an
// identifier reaches exactly one handler.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace pelkit {

struct AppState;

// ID is the identifier received (within the entry's range); PARAM the number a dialog sent with it.
using CommandHandler = void (*)(AppState& app, int id, int32_t param);

struct CommandEntry {
    int first = 0;
    int last = 0;  // the range's last identifier; equal to FIRST for a single one
    CommandHandler handler = nullptr;
};

// The entry of the one identifier ID.
constexpr CommandEntry command(int id, CommandHandler handler) {
    return {id, id, handler};
}

// The handler of a command that takes neither its identifier nor a parameter.
template <void (*F)(AppState&)>
void plain(AppState& app, int, int32_t) {
    F(app);
}

class CommandTable {
  public:
    // The entries of every list, sorted by their first identifier.
    CommandTable(std::initializer_list<std::vector<CommandEntry>> lists);

    // The entry whose range holds ID, or nullptr.
    const CommandEntry* find(int id) const;
    // Runs ID's handler; false when no entry holds ID.
    bool run(AppState& app, int id, int32_t param = 0) const;

    const std::vector<CommandEntry>& entries() const { return entries_; }

  private:
    std::vector<CommandEntry> entries_;
};

}  // namespace pelkit
