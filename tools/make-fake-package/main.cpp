// Makes a fake package or uninstaller: a copy of the program with a script
// (and optionally a file to attach, such as a fake uninstaller for
// "uninst.ep") appended after it, since the installer runs exactly the file
// it downloaded.
//
//   make-fake-package --program FILE --script FILE [--attach FILE] --out FILE
#include <filesystem>
#include <map>
#include <string>

#include "../fake-package/Payload.h"
#include "platform/Process.h"
#include "platform/StandardStreams.h"
#include "platform/Text.h"

namespace {

int Fail(const std::string& text) {
    platform::WriteStandardOutput("make-fake-package: " + text + "\n");
    return 1;
}

}  // namespace

int main() {
    const auto args = platform::ProcessArguments();
    std::map<std::wstring, std::wstring> options;
    for (size_t i = 1; i + 1 < args.size(); i += 2) options[args[i]] = args[i + 1];
    if (!options.count(L"--program") || !options.count(L"--script") || !options.count(L"--out")) {
        return Fail("usage: --program FILE --script FILE [--attach FILE] --out FILE");
    }
    const auto program = ReadWholeFile(options[L"--program"]);
    const auto script = ReadWholeFile(options[L"--script"]);
    if (!program || !script) return Fail("cannot read the program or the script");
    Payload payload{*script, {}};
    if (options.count(L"--attach")) {
        const auto attachment = ReadWholeFile(options[L"--attach"]);
        if (!attachment) return Fail("cannot read the attachment");
        payload.attachment = *attachment;
    }
    const std::wstring out = options[L"--out"];
    if (!WriteWholeFile(out, AppendPayload(*program, payload))) return Fail("cannot write");
    const std::string utf8 = platform::ToUtf8(out);
    std::error_code error;
    std::filesystem::permissions(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()),
        std::filesystem::perms::owner_all, std::filesystem::perm_options::replace, error);
    return 0;
}
