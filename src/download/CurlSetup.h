#pragma once
// Process-wide libcurl state: the global initialisation of start-up and the
// certificate authorities that every HTTPS request of the downloaders trusts.
#include <string>

#include <curl/curl.h>

struct InstallerConfig;

// curl_global_init(CURL_GLOBAL_ALL); a failure clears config.LibcurlReady.
void InitLibcurl(InstallerConfig& config);
void CleanupLibcurl();

// A PEM file of certificate authorities to trust instead of the system's
// (an operator's private package server); empty restores the system's.
// Set before downloads start.
void SetTrustedAuthorityFile(const std::string& path);
const std::string& TrustedAuthorityFile();

// Certificate checks on for every HTTPS request (peer and host name), with the
// configured authorities. Returns the combined option result.
CURLcode ApplyTlsPolicy(CURL* curl);
