// What each control and menu entry does, in one line, and a readable name for those whose
// caption is a symbol or a number ("O>", "||", "44") or that have no caption (fields, bars):
// the texts a window shows as tooltips and gives screen readers, and that --list-controls
// prints. The texts are Japanese, as the templates are; the windows read them through the
// translation context kDescriptionContext.
#pragma once

#include <string>
#include <vector>

namespace pelkit {

inline constexpr const char* kDescriptionContext = "description";

struct ControlDescription {
    const char* templateName;  // the window, as its template is named
    int id;                    // the control or menu entry; the first of a numbered run
    int count;                 // ids id .. id + count - 1 share the entry
    int firstNumber;           // "%1" in the texts is firstNumber + (control id - id)
    const char* name;          // a readable name; empty: the caption is the name
    const char* description;
};

const std::vector<ControlDescription>& controlDescriptions();

// The entry for control ID of window TEMPLATENAME (its variants of the main window read the
// main window's entries), or nullptr.
const ControlDescription* findDescription(const std::string& templateName, int id);

// TEXT (a name or description of D, translated or not) with "%1" replaced by ID's number.
std::string numbered(const std::string& text, const ControlDescription& d, int id);

// The transport keys the window program adds to its main window, in a menu of their own.
enum class TransportAction { PlayStop, Record, Stop };
struct TransportKey {
    TransportAction action;
    int id;           // the entry's key in the description table (no command has this id)
    const char* key;  // as QKeySequence reads it
    const char* text;
};
inline constexpr const char* kTransportMenuText = "再生・録音";
const std::vector<TransportKey>& transportKeys();

}  // namespace pelkit
