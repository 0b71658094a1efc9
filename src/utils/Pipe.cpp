#include "utils/Pipe.h"

#include "platform/Pipe.h"
#include "utils/Exception.h"

namespace Utils {

Pipe::Pipe() {
    if (!platform::CreatePipe(readEnd, writeEnd)) throw Exception();
}

Pipe::~Pipe() {
    Close();
}

void Pipe::Close() {
    platform::CloseHandle(writeEnd);
    platform::CloseHandle(readEnd);
}

}  // namespace Utils
