// A stand-in for the old version's uninstaller: checks that it was started
// with the installer's removal switches, then plays the script that
// make-fake-package appended to it. Files go to the folder of "_?=".
//
//   <uninstaller> /S -adminact=B -authorizationact=B -console=show _?=DIR
#include <exception>

#include "ScriptPlayer.h"
#include "platform/StandardStreams.h"

namespace {

bool IsFlagSwitch(const std::wstring& argument, const std::wstring& name) {
    return argument == name + L"true" || argument == name + L"false";
}

bool IsRemovalCommandLine(const std::vector<std::wstring>& args) {
    return args.size() >= 6 && args[1] == L"/S" && IsFlagSwitch(args[2], L"-adminact=") &&
           IsFlagSwitch(args[3], L"-authorizationact=") && args[4] == L"-console=show" &&
           args[5].rfind(L"_?=", 0) == 0;
}

}  // namespace

int main() {
    std::string script;
    ScriptContext context;
    if (!LoadOwnScript(script, context)) return 2;
    try {
        if (LingerIfAsked(context.arguments)) return 0;
        if (!IsRemovalCommandLine(context.arguments)) {
            platform::WriteStandardOutput("Error=unexpected uninstaller command line\n");
            return 3;
        }
        RestAfter(context.arguments, L"_?=", context.targetFolder);
        return PlayScript(script, context);
    } catch (const std::exception&) {
        return 6;
    }
}
