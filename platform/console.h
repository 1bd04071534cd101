#pragma once
// The terminal of the command line: UTF-8 text out (the console's wide output
// on Windows, so Japanese reads correctly on any code page), a line in.

#include <string>
#include <string_view>

namespace tw {

enum ConsoleStream { CONSOLE_OUT = 1, CONSOLE_ERR = 2 };

void console_write(ConsoleStream stream, std::string_view utf8);
bool console_is_terminal(ConsoleStream stream);
bool console_input_is_terminal();
// The user interface language of the system is Japanese (Windows); false where
// the system has no such setting beside the locale (POSIX).
bool system_language_is_japanese();

// One line of standard input without its line end; false at its end.
bool console_read_line(std::string& line);

}  // namespace tw
