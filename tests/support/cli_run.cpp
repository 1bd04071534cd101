#include "support/cli_run.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tw::test {

CmdRun run(const std::string& dir, int (*command)(int, char**), std::vector<std::string> args) {
    auto old = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    args.insert(args.begin(), "tilewright");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int status = command(static_cast<int>(args.size()), argv.data());
    CmdRun r{status, testing::internal::GetCapturedStdout(),
             testing::internal::GetCapturedStderr()};
    std::filesystem::current_path(old);
    return r;
}

}  // namespace tw::test
