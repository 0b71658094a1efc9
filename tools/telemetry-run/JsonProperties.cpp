#include "JsonProperties.h"

#include <nlohmann/json.hpp>

std::optional<telemetry::PropertiesNode> ParseProperties(const std::string& json) {
    const nlohmann::json object =
        json.empty() ? nlohmann::json::object() : nlohmann::json::parse(json, nullptr, false);
    if (object.is_discarded() || !object.is_object()) return std::nullopt;
    telemetry::PropertiesNode properties;
    for (const auto& [key, value] : object.items()) {
        if (value.is_string()) {
            properties.SetString(key, value.get<std::string>());
        } else if (value.is_number_integer() && value.is_number_unsigned() &&
                   value.get<uint64_t>() > static_cast<uint64_t>(INT64_MAX)) {
            return std::nullopt;
        } else if (value.is_number_integer()) {
            properties.SetInt64(key, value.get<int64_t>());
        } else if (value.is_number()) {
            properties.SetNumber(key, value.get<double>());
        } else if (value.is_boolean()) {
            properties.SetBool(key, value.get<bool>());
        } else if (value.is_array()) {
            std::vector<std::string> items;
            for (const auto& item : value) {
                if (!item.is_string()) return std::nullopt;
                items.push_back(item.get<std::string>());
            }
            properties.SetList(key, items);
        } else {
            return std::nullopt;
        }
    }
    return properties;
}
