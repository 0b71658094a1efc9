#pragma once
#include "analytics/sdk/ObjectNode.h"

namespace telemetry {

// Event and profile properties: flat, so nested objects are not taken.
class PropertiesNode : public utils::ObjectNode {
public:
    void SetObject(const std::string&, const utils::ObjectNode&) override {}
};

}  // namespace telemetry
