// A stand-in for the product package: checks that it was started with the
// installer's package switches, then plays the script that make-fake-package
// appended to it. Files go to the folder of "/D=".
//
//   <package> /S -console=show -version=1.0.0 -adminact=B -authorizationact=B
//             -dsc=B -ssc=B [extra switches] [-instdir="DIR" /D=DIR]
#include "ScriptPlayer.h"

namespace {

bool IsPackageCommandLine(const std::vector<std::wstring>& args) {
    return args.size() >= 8 && args[1] == L"/S" && args[2] == L"-console=show" &&
           args[3] == L"-version=1.0.0" && IsFlagSwitch(args[4], L"-adminact=") &&
           IsFlagSwitch(args[5], L"-authorizationact=") && IsFlagSwitch(args[6], L"-dsc=") &&
           IsFlagSwitch(args[7], L"-ssc=");
}

}  // namespace

int main() {
    return RunFakeProgram(IsPackageCommandLine, "unexpected package command line", L"/D=");
}
