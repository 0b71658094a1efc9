#include "download/Verification.h"

#include "download/Downloader.h"
#include "download/PartFile.h"
#include "utils/Md5.h"

Verification VerifyDownload(const std::string& targetPath, const std::string& expectedMd5,
                            const std::string& knownMd5) {
    if (!IsExpectedMd5(expectedMd5)) {
        return FileExists(targetPath) ? Verification::Unverified : Verification::Failed;
    }
    if (!FileExists(targetPath)) return Verification::Failed;
    const std::string actual = knownMd5.empty() ? Utils::GetFileMd5(targetPath) : knownMd5;
    return !actual.empty() && actual == expectedMd5 ? Verification::Verified : Verification::Failed;
}
