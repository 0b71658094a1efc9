#pragma once
// Plays the script of a fake package or uninstaller, one command a line:
//
//   out TEXT         TEXT and a line break on standard output
//   put TEXT         TEXT alone, so that one line can be split across writes
//   pause MS         sleeps
//   codepage N       later texts are written in code page N (0 ANSI, 65001 UTF-8)
//   file NAME TEXT   creates NAME with TEXT in the target folder
//   uninst-ep        writes the attached file as "uninst.ep" in the target folder
//   flood BYTES      writes that many bytes of noise lines at once
//   args             writes "Message=" and the arguments it was given
//   linger MS        starts a copy of this program that keeps standard output
//                    open for MS milliseconds (or until its standard input
//                    ends), as a program started by an installer may
//   exit N           ends the program with exit code N (default 0)
//
// TEXT is UTF-8 with the escapes \n \r \t \\ \0 and \xHH (a raw byte, written
// as it is in any code page). Empty lines and lines starting with "#" are skipped.
#include <string>
#include <vector>

// "NAMEtrue" or "NAMEfalse".
bool IsFlagSwitch(const std::wstring& argument, const std::wstring& name);

// The whole run of a fake program: its own script (exit code 2 without one),
// the copy "linger" started (which holds on and ends), the command-line check
// ("Error=" and wrongLine on standard output, exit code 3), the target folder
// after folderSwitch, then the script played (exit code 6 for a malformed one).
int RunFakeProgram(bool (*acceptsCommandLine)(const std::vector<std::wstring>&),
                   const char* wrongLine, const std::wstring& folderSwitch);
