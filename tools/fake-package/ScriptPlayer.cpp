#include "ScriptPlayer.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <sstream>
#include <thread>

#include "ExitOnEof.h"
#include "Payload.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/StandardStreams.h"
#include "platform/Text.h"
#include "utils/Encoding.h"

namespace {

struct ScriptContext {
    std::wstring targetFolder;  // empty when the command line named none
    std::string attachment;
    std::vector<std::wstring> arguments;
};

const std::wstring kLingerSwitch = L"--linger";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Literal runs are converted to the code page; \xHH bytes are kept as they are.
std::string Render(const std::string& text, unsigned codePage) {
    std::string bytes;
    std::string run;
    auto flush = [&] {
        if (run.empty()) return;
        bytes += codePage == Utils::kUtf8CodePage
                     ? run
                     : Utils::ToNarrow(platform::FromUtf8(run), codePage);
        run.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            run += text[i];
            continue;
        }
        const char e = text[++i];
        if (e == 'n')
            run += '\n';
        else if (e == 'r')
            run += '\r';
        else if (e == 't')
            run += '\t';
        else if (e == '0')
            run += '\0';
        else if (e == 'x' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
                 HexDigit(text[i + 2]) >= 0) {
            flush();
            bytes += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            run += e;
        }
    }
    flush();
    return bytes;
}

void Complain(const std::string& text) {
    std::fputs((text + "\n").c_str(), stderr);
}

// A name for the target folder: no separators, no way out of it.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\:") == std::string::npos;
}

std::string Noise(size_t bytes) {
    std::string noise;
    while (noise.size() < bytes) noise += "Noise=" + std::string(57, 'x') + "\n";
    noise.resize(bytes);
    return noise;
}

std::string JoinArguments(const std::vector<std::wstring>& arguments) {
    std::wstring joined;
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (i > 1) joined += L' ';
        joined += arguments[i];
    }
    return platform::ToUtf8(joined);
}

// True when this process is the copy that "linger" started; it has then held
// on and should end.
bool LingerIfAsked(const std::vector<std::wstring>& arguments) {
    if (arguments.size() != 3 || arguments[1] != kLingerSwitch) return false;
    tools::ExitWhenInputEnds();
    std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(arguments[2])));
    return true;
}

// Plays the script and returns the exit code.
int PlayScript(const std::string& script, const ScriptContext& context) {
    unsigned codePage = Utils::kUtf8CodePage;
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == '#') continue;
        const size_t space = line.find(' ');
        const std::string command = line.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        if (command == "out") {
            platform::WriteStandardOutput(Render(rest, codePage) + "\n");
        } else if (command == "put") {
            platform::WriteStandardOutput(Render(rest, codePage));
        } else if (command == "pause") {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(rest)));
        } else if (command == "codepage") {
            codePage = static_cast<unsigned>(std::stoul(rest));
        } else if (command == "file") {
            const size_t blank = rest.find(' ');
            const std::string name = rest.substr(0, blank);
            const std::string text = blank == std::string::npos ? "" : rest.substr(blank + 1);
            if (context.targetFolder.empty() || !IsPlainName(name) ||
                !WriteWholeFile(platform::JoinPath(context.targetFolder, platform::FromUtf8(name)),
                                Render(text, Utils::kUtf8CodePage))) {
                Complain("cannot create " + name);
                return 4;
            }
        } else if (command == "uninst-ep") {
            if (context.targetFolder.empty() ||
                !WriteWholeFile(platform::JoinPath(context.targetFolder, L"uninst.ep"),
                                context.attachment)) {
                Complain("cannot write uninst.ep");
                return 4;
            }
        } else if (command == "flood") {
            platform::WriteStandardOutput(Noise(std::stoul(rest)));
        } else if (command == "args") {
            platform::WriteStandardOutput("Message=" + JoinArguments(context.arguments) + "\n");
        } else if (command == "linger") {
            platform::SpawnOptions options;
            options.stdOut = platform::StandardOutputHandle();
            platform::Process lingering;
            if (!lingering.Start(L"\"" + platform::ModuleFileName() + L"\" " + kLingerSwitch +
                                     L" " + platform::FromUtf8(rest),
                                 options)) {
                Complain("cannot start the lingering copy");
                return 4;
            }
        } else if (command == "exit") {
            return std::stoi(rest);
        } else {
            Complain("unknown script command: " + command);
            return 5;
        }
    }
    return 0;
}

// The text of the argument that starts with prefix and of every argument after
// it, joined by blanks: how NSIS reads "/D=" and "_?=" to the end of the line.
bool RestAfter(const std::vector<std::wstring>& arguments, const std::wstring& prefix,
               std::wstring& rest) {
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i].rfind(prefix, 0) != 0) continue;
        rest = arguments[i].substr(prefix.size());
        for (size_t j = i + 1; j < arguments.size(); ++j) rest += L" " + arguments[j];
        return true;
    }
    return false;
}

// The context of a fake program: its own payload and arguments. False, with a
// line on standard error, when it carries no payload.
bool LoadOwnScript(std::string& script, ScriptContext& context) {
    const auto file = ReadWholeFile(platform::ModuleFileName());
    const auto payload = file ? FindPayload(*file) : std::nullopt;
    if (!payload) {
        Complain("no script: make this program with make-fake-package");
        return false;
    }
    script = payload->script;
    context.attachment = payload->attachment;
    context.arguments = platform::ProcessArguments();
    return true;
}

}  // namespace

bool IsFlagSwitch(const std::wstring& argument, const std::wstring& name) {
    return argument == name + L"true" || argument == name + L"false";
}

int RunFakeProgram(bool (*acceptsCommandLine)(const std::vector<std::wstring>&),
                   const char* wrongLine, const std::wstring& folderSwitch) {
    std::string script;
    ScriptContext context;
    if (!LoadOwnScript(script, context)) return 2;
    try {
        if (LingerIfAsked(context.arguments)) return 0;
        if (!acceptsCommandLine(context.arguments)) {
            platform::WriteStandardOutput(std::string("Error=") + wrongLine + "\n");
            return 3;
        }
        RestAfter(context.arguments, folderSwitch, context.targetFolder);
        return PlayScript(script, context);
    } catch (const std::exception&) {
        return 6;
    }
}
