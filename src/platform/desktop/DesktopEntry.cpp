#include "platform/desktop/DesktopEntry.h"

#include <sstream>

namespace desktop {

namespace {

constexpr const char* kReserved = " \t\n\"'\\><~|&;$*?#()`";
constexpr const char* kProgramName = "velmora";

}  // namespace

std::string ExecArgument(const std::string& argument) {
    std::string quoted;
    bool needsQuotes = argument.empty();
    for (char c : argument) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            return {};
        }
        if (std::string(kReserved).find(c) != std::string::npos) {
            needsQuotes = true;
        }
        // Inside quotes these four are escaped with a backslash.
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        // A '%' would be read as a field code.
        if (c == '%') {
            quoted += '%';
        }
        quoted += c;
    }
    std::string argumentText = needsQuotes ? "\"" + quoted + "\"" : quoted;
    // The value is a string, whose own escape doubles every backslash.
    std::string value;
    for (char c : argumentText) {
        if (c == '\\') {
            value += '\\';
        }
        value += c;
    }
    return value;
}

std::string WithExecutable(const std::string& entryText, const std::filesystem::path& program) {
    std::string command = program.empty() ? std::string() : ExecArgument(program.string());
    if (command.empty()) {
        command = kProgramName;
    }
    std::istringstream lines(entryText);
    std::string out;
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("Exec=", 0) == 0) {
            line = "Exec=" + command + " %f";
        }
        out += line;
        out += '\n';
    }
    return out;
}

}  // namespace desktop
