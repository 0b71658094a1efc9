#pragma once
// What make-fake-package appends after a fake program: its script and an
// optional attached file, found again from the end of the program file:
//
//   <program><script><attachment><script size><attachment size><marker>
//
// with both sizes as 16 hexadecimal digits. Only the outermost payload counts,
// so an attachment may itself be a fake program with a payload of its own.
#include <optional>
#include <string>
#include <string_view>

struct Payload {
    std::string script;
    std::string attachment;
};

std::string AppendPayload(std::string program, const Payload& payload);
std::optional<Payload> FindPayload(std::string_view file);

// Whole-file access by wide path.
std::optional<std::string> ReadWholeFile(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, std::string_view bytes);
