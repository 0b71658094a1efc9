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

struct ScriptContext {
    std::wstring targetFolder;  // empty when the command line named none
    std::string attachment;
    std::vector<std::wstring> arguments;
};

// Plays the script and returns the exit code.
int PlayScript(const std::string& script, const ScriptContext& context);

// The text of the argument that starts with prefix and of every argument after
// it, joined by blanks: how NSIS reads "/D=" and "_?=" to the end of the line.
bool RestAfter(const std::vector<std::wstring>& arguments, const std::wstring& prefix,
               std::wstring& rest);

// True when this process is the copy that "linger" started; it has then held
// on and should end.
bool LingerIfAsked(const std::vector<std::wstring>& arguments);

// The context of a fake program: its own payload and arguments. False, with a
// line on standard error, when it carries no payload.
bool LoadOwnScript(std::string& script, ScriptContext& context);
