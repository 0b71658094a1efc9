#pragma once
// Small libcurl helpers shared by the downloaders.
#include <string>

#include <curl/curl.h>

// libcurl's text for a result code, as wide text (from the narrow code page).
std::wstring CurlErrorText(int code);

// The content length of the handle's last response: -1.0 while unknown, and
// left as it was when the query fails.
CURLcode ContentLength(CURL* handle, double& length);
