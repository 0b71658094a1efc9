#include "utils/CommandLineArgs.h"

#include "platform/CommandLine.h"
#include "utils/Numbers.h"

namespace Utils {

void CommandLineArgs::Parse(const std::wstring& commandLine) {
    Add(platform::SplitCommandLine(commandLine));
}

void CommandLineArgs::Add(const std::vector<std::wstring>& arguments) {
    for (const std::wstring& argument : arguments) {
        size_t equals = argument.find(L'=');
        if (!argument.empty() && argument.front() == L'-' && equals != std::wstring::npos) {
            entries_.emplace(argument.substr(0, equals), argument.substr(equals + 1));
        } else {
            entries_.emplace(argument, std::wstring());
        }
    }
}

bool CommandLineArgs::Has(const std::wstring& key) const { return entries_.count(key) != 0; }

std::wstring CommandLineArgs::GetString(const std::wstring& key) const {
    auto found = entries_.find(key);
    return found == entries_.end() ? std::wstring() : found->second;
}

int CommandLineArgs::GetInt(const std::wstring& key) const {
    return ParseLeadingInt(GetString(key)).value_or(0);
}

bool CommandLineArgs::GetBool(const std::wstring& key) const { return GetString(key) == L"true"; }

double CommandLineArgs::GetDouble(const std::wstring& key, double defaultValue) const {
    auto found = entries_.find(key);
    if (found == entries_.end()) return defaultValue;
    return ParseLeadingDouble(found->second).value_or(defaultValue);
}

}  // namespace Utils
