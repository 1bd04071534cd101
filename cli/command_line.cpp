#include "cli/command_line.h"

#include <algorithm>
#include <string_view>

#include "cli/cli_options.h"
#include "cli/option_parser.h"

namespace tw::cli {

const Command& arrange_command_line(std::vector<char*>& args) {
    const size_t end = args.size() - 1;  // the terminating nullptr
    size_t word = 1;
    while (word < end) {
        const std::string_view arg = args[word];
        if (arg == "--lang")
            word += 2;
        else if (arg.rfind("--lang=", 0) == 0)
            word += 1;
        else
            break;
    }
    const std::span<const Command> commands = command_table();
    if (word < end) {
        for (const Command& c : commands) {
            if (!c.by_word || args[word] != std::string_view(c.name)) continue;
            std::rotate(args.begin() + 1, args.begin() + static_cast<ptrdiff_t>(word),
                        args.begin() + static_cast<ptrdiff_t>(word) + 1);
            return c;
        }
    }
    return *std::find_if(commands.begin(), commands.end(),
                         [](const Command& c) { return !c.by_word; });
}

bool choose_language(const Command& command, int argc, char** argv, std::string& error) {
    Language chosen = language_from_environment();
    set_language(chosen);  // for the message of a bad value too
    for (const GivenOption& option : parse_args(command, argc, argv).options) {
        if (option.row == nullptr || option.row->id != OPT_LANG) continue;
        if (!option.error.empty()) {
            error = option.error;
            return false;
        }
        chosen = option.value == "ja" ? LANGUAGE_JA : LANGUAGE_EN;
    }
    set_language(chosen);
    return true;
}

int run_command_line(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    args.push_back(nullptr);
    const Command& command = arrange_command_line(args);
    std::string error;
    if (!choose_language(command, argc, args.data(), error))
        return usage_error(program_name(command), error);
    return command.run(argc, args.data());
}

}  // namespace tw::cli
