#pragma once

#include "PropertyBag.h"

#include <array>

namespace orv {

// A key OrvSearchACS2 saves in its container's bag, and the type of the field it is read into.
struct PersistedKey {
    const char *name;
    PropertyType type;
    bool colour = false; // a colour value: a saved form shows it in hexadecimal
};

// The keys in the order WriteProperties writes them.
inline constexpr std::array<PersistedKey, 35> kPersistedKeys = {{
    {"BackColor", PropertyType::Long, true},
    {"ForeColor", PropertyType::Long, true},
    {"ControlBackColor", PropertyType::Long, true},
    {"WidthCode", PropertyType::Integer},
    {"WidthDescription", PropertyType::Integer},
    {"WidthSecondDescription", PropertyType::Integer},
    {"Visible", PropertyType::Boolean},
    {"VisibleCode", PropertyType::Boolean},
    {"VisibleDescription", PropertyType::Boolean},
    {"VisibleSecondDescription", PropertyType::Boolean},
    {"Enabled", PropertyType::Boolean},
    {"EnabledSearch", PropertyType::Boolean},
    {"EnabledExecute", PropertyType::Boolean},
    {"Font", PropertyType::Font},
    {"SearchType", PropertyType::Long},
    {"HideLeaf", PropertyType::Boolean},
    {"IDPDC", PropertyType::Long},
    {"IDNode", PropertyType::Long},
    {"NodeType", PropertyType::Long},
    {"FontLabel", PropertyType::Font},
    {"CaptionDescription", PropertyType::String},
    {"CaptionCode", PropertyType::String},
    {"Description", PropertyType::String},
    {"Code", PropertyType::String},
    {"CaptionSearch", PropertyType::String},
    {"Client", PropertyType::String},
    {"IDFirm", PropertyType::Long},
    {"IDUser", PropertyType::Long},
    {"IDCliente", PropertyType::Long},
    {"IDFornitore", PropertyType::Long},
    {"IDAnagrafica", PropertyType::Long},
    {"IDSearchTypeConto", PropertyType::Long},
    {"IDSearchTypeRamo", PropertyType::Long},
    {"OnlyAccounts", PropertyType::Boolean},
    {"OnlyTerminalBranch", PropertyType::Boolean},
}};

} // namespace orv
