#pragma once
// The checksum check of the libcurl downloaders' finished file.
#include <string>

enum class Verification {
    Verified,    // the file's MD5 equals the expected one
    Unverified,  // the URL carried no checksum; the file is there
    Failed,      // the MD5 differs, or the file cannot be read, so nothing vouches for it
};

// A file whose MD5 cannot be computed never counts as verified: an absent or
// unreadable target is the result of a failed merge or rename, not a package.
// knownMd5, when given, is the MD5 computed while the file was written; the
// file itself is then only looked for, not read again.
Verification VerifyDownload(const std::string& targetPath, const std::string& expectedMd5,
                            const std::string& knownMd5 = {});
