#pragma once
#include <optional>
#include <string>

#include "analytics/sdk/PropertiesNode.h"

// Properties written as a JSON object: strings become STRING, integers INT,
// other numbers NUMBER, booleans BOOL and arrays of strings LIST. Nothing for
// text that is not such an object.
std::optional<telemetry::PropertiesNode> ParseProperties(const std::string& json);
