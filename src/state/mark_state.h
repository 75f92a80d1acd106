// The position marks as the program holds them: the selected line of the position file, its
// comment, and where a mark read without being applied goes.
#pragma once

#include <cstdint>
#include <string>

namespace pelkit {

struct MarkState {
    std::string fileName = "position.txt";  // relative to the working folder
    uint32_t index = 0;                     // the selected line (1-based); 0: none
    std::string comment;                    // its comment, or the one typed into the dialog
    uint32_t dialogPosition = 0;            // the position of the comment dialog
};

}  // namespace pelkit
