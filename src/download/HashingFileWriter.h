#pragma once
// Writes a download into its file in large blocks and computes the file's MD5
// on a thread of its own while the transfer goes on, so checking a finished
// package costs no second pass over it. The bytes the file held before (a
// resumed part file) are read and hashed first.
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "utils/Md5.h"

class HashingFileWriter {
public:
    // file is open for appending and already holds prefixBytes bytes; path
    // names it for reading those back.
    HashingFileWriter(FILE* file, std::string path, int64_t prefixBytes);
    HashingFileWriter(const HashingFileWriter&) = delete;
    HashingFileWriter& operator=(const HashingFileWriter&) = delete;
    ~HashingFileWriter();

    // All bytes taken (they reach the file by Finish at the latest), or 0
    // after a write error.
    size_t Write(const char* data, size_t bytes);
    // Writes what is still buffered and waits for the hash. False when a write
    // failed or the earlier bytes could not be read back. Later calls return
    // the same.
    bool Finish();
    // The hash of everything in the file; valid after Finish returned true.
    Utils::Md5 State() const { return md5_; }

private:
    void HashLoop();
    bool HashPrefix();
    bool Flush();

    FILE* file_;
    std::string path_;
    int64_t prefixBytes_;
    std::vector<char> current_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<std::vector<char>> queued_;
    std::vector<std::vector<char>> spare_;
    bool closing_ = false;
    bool writeFailed_ = false;
    bool prefixFailed_ = false;
    bool finished_ = false;
    Utils::Md5 md5_;
    std::thread hasher_;
};
