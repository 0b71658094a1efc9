#pragma once
#include <map>
#include <string>
#include <vector>

namespace Utils {

// The command line as an ordered map: "-name=value" gives the key "-name" with
// the text after the first "="; any other argument is a key with an empty value.
// Keys match exactly; of a repeated key the first occurrence wins.
class CommandLineArgs {
public:
    // Splits the command line with the shell's rules, program path included.
    void Parse(const std::wstring& commandLine);
    // Adds arguments that are already split.
    void Add(const std::vector<std::wstring>& arguments);

    bool Has(const std::wstring& key) const;
    std::wstring GetString(const std::wstring& key) const;
    // Decimal, leading white space and a sign allowed, trailing text ignored; 0
    // when absent, without a number in front, or outside the 32-bit range.
    int GetInt(const std::wstring& key) const;
    bool GetBool(const std::wstring& key) const;  // exactly "true"
    // The longest floating-point prefix after white space; defaultValue when the
    // key is absent, no number starts the value, or the number overflows a double.
    double GetDouble(const std::wstring& key, double defaultValue) const;

    const std::map<std::wstring, std::wstring>& Entries() const { return entries_; }

private:
    std::map<std::wstring, std::wstring> entries_;
};

}  // namespace Utils
