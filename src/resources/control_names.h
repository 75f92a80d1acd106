// The names a script gives the controls ("command play", "dlg command write-mode"): the
// identifiers' own names, lower case with hyphens.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pelkit {

struct ControlName {
    std::string templateName;  // the window, as its template is named
    int id = 0;
    std::string name;
};

const std::vector<ControlName>& controlNames();

// The id that TEXT names in the window built from TEMPLATENAME: a decimal number, or a name.
std::optional<int> controlId(const std::string& templateName, const std::string& text);

}  // namespace pelkit
