#pragma once

namespace tools {

// Ends the process as soon as its standard input reaches its end, so a test
// that started a server tool stops it by closing the pipe (and a test that
// dies takes the server with it).
void ExitWhenInputEnds();

}  // namespace tools
