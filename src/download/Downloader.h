#pragma once
// The one interface behind which the installer's three downloaders fetch the
// package: a status callback, the package URL and the target path go in, and
// everything comes back as status events.
#include <functional>
#include <string>

// Receives every status event: code, value and text (never null; "no text" is "").
using DownloadCallback = std::function<void(int code, double value, const wchar_t* text)>;

enum DownloadCode : int {
    DL_CODE_START = 1001,
    DL_CODE_PROGRESS = 1002,
    DL_CODE_SUCCESS = 1003,
    DL_CODE_FAIL = 1004,
    DL_CODE_RETRY = 1005,
    DL_CODE_MESSAGE = 1006,
};

// The mechanism named in the final events.
inline constexpr const wchar_t* kLibCurlText = L"LibCurl";
inline constexpr const wchar_t* kUrlDownloadText = L"URLDownloadToFile";

class CDownloader {
public:
    virtual ~CDownloader() = default;
    // Begins (or, after DL_CODE_RETRY, begins again) one run on a worker thread
    // and returns at once.
    virtual void Start() = 0;
};

// The second-to-last "/" segment of a URL: where the package server puts the
// package's MD5. Empty when the URL has fewer than two "/".
std::string GetUrlMd5(const std::string& url);
// An expected checksum counts only at exactly 32 characters.
bool IsExpectedMd5(const std::string& md5);
