#pragma once
#include <string>
#include <vector>

namespace platform {

// Splits a command line the way the Windows shell does (CommandLineToArgvW):
// the real call on Win32, SplitCommandLineLikeShell elsewhere.
std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine);

// The shell's splitting rules, written out:
// - the first token is the program name: up to the next quote when it starts
//   with one, else up to the next blank or tab; backslashes are plain there;
// - other tokens are separated by blanks and tabs outside quotes;
// - 2n backslashes before a quote give n backslashes and the quote toggles
//   quoting; 2n+1 give n backslashes and a literal quote; backslashes not
//   followed by a quote are literal;
// - inside quotes, a doubled quote gives one literal quote and ends quoting;
// - an empty command line gives the running executable's path.
std::vector<std::wstring> SplitCommandLineLikeShell(const std::wstring& commandLine);

// Quotes one argument so that SplitCommandLine gives it back unchanged.
std::wstring QuoteArgument(const std::wstring& argument);

}  // namespace platform
