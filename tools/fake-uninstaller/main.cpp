// A stand-in for the old version's uninstaller: checks that it was started
// with the installer's removal switches, then plays the script that
// make-fake-package appended to it. Files go to the folder of "_?=".
//
//   <uninstaller> /S -adminact=B -authorizationact=B -console=show _?=DIR
#include "ScriptPlayer.h"

namespace {

bool IsRemovalCommandLine(const std::vector<std::wstring>& args) {
    return args.size() >= 6 && args[1] == L"/S" && IsFlagSwitch(args[2], L"-adminact=") &&
           IsFlagSwitch(args[3], L"-authorizationact=") && args[4] == L"-console=show" &&
           args[5].rfind(L"_?=", 0) == 0;
}

}  // namespace

int main() {
    return RunFakeProgram(IsRemovalCommandLine, "unexpected uninstaller command line", L"_?=");
}
