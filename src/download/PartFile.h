#pragma once
// Files the libcurl downloaders write through C I/O, by narrow (ANSI code
// page) names.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

// libcurl's receive buffer, and the C I/O buffer of every part file: large
// writes keep a fast transfer from waiting on the disk in small steps.
constexpr long kCurlBufferBytes = 256 << 10;
constexpr size_t kFileBufferBytes = 1 << 20;

// The size of the file, or -1 when it cannot be read (no such file).
int64_t PartFileSize(const std::string& path);
// A regular file that can be opened for reading.
bool FileExists(const std::string& path);

// Gives an open file a buffer of kFileBufferBytes for as long as it lives; the
// file must be closed before the buffer goes.
class PartFileBuffer {
public:
    void Attach(FILE* file);

private:
    std::unique_ptr<char[]> bytes_;
};
