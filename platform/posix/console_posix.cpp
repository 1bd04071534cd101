#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "platform/console.h"

namespace tw {

void console_write(ConsoleStream stream, std::string_view utf8) {
    FILE* f = stream == CONSOLE_ERR ? stderr : stdout;
    std::fwrite(utf8.data(), 1, utf8.size(), f);
    std::fflush(f);
}

bool console_is_terminal(ConsoleStream stream) {
    return ::isatty(stream == CONSOLE_ERR ? STDERR_FILENO : STDOUT_FILENO) == 1;
}

bool console_input_is_terminal() {
    return ::isatty(STDIN_FILENO) == 1;
}

bool console_read_line(std::string& line) {
    if (!std::getline(std::cin, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

bool system_language_is_japanese() {
    return false;
}

}  // namespace tw
