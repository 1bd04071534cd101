#pragma once
// Runs a command of the command line in a folder and captures what it prints.

#include <string>
#include <vector>

namespace tw::test {

struct CmdRun {
    int status;
    std::string out;
    std::string err;
};

// command(argc, argv) with argv = "tilewright" followed by args, run in dir.
CmdRun run(const std::string& dir, int (*command)(int, char**), std::vector<std::string> args);

}  // namespace tw::test
