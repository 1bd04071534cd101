#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "cli/option_table.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

void set_lc_all(const char* value) {
#ifdef _WIN32
    _putenv_s("LC_ALL", value);
#else
    setenv("LC_ALL", value, 1);
#endif
}

// Random command lines of every command, with empty values and operands and
// values that look like options: only a real --lang with a bad value is a
// language error, and the language a good --lang names is the one spoken.
TEST(CommandLine, NoArgumentIsMisreadAsLang) {
    test::TempDir tmp;
    set_lc_all("C.UTF-8");
    std::mt19937 rng(2024);
    auto pick = [&](const std::vector<std::string>& from) { return from[rng() % from.size()]; };
    const std::vector<std::string> values = {"", "", "--lang", "-o", "en", "x", "PRG=p.txt"};
    const std::vector<std::string> operands = {"", "", "-", "PRG=p.txt", "none.bmp"};
    const auto commands = cli::command_table();
    for (int round = 0; round < 80; ++round) {
        const cli::Command& command = commands[rng() % commands.size()];
        std::vector<const cli::OptionRow*> rows;
        for (const cli::OptionRow& row : cli::option_table())
            if (cli::row_belongs(row, command) && row.id != cli::OPT_HELP &&
                row.id != cli::OPT_VERSION)
                rows.push_back(&row);
        std::vector<std::string> args;
        if (command.by_word) args.push_back(command.name);
        bool ended = false, bad_lang = false;
        bool english = true;  // the locale's language
        for (int n = static_cast<int>(rng() % 7); n > 0; --n) {
            if (rng() % 3 == 0) {
                args.push_back(ended && rng() % 2 ? "--lang" : pick(operands));
                continue;
            }
            const cli::OptionRow& row = *rows[rng() % rows.size()];
            const bool is_lang = row.id == cli::OPT_LANG;
            std::string value = is_lang ? pick({"", "en", "ja", "fr", "--lang"}) : pick(values);
            if (row.kind == cli::VALUE_NONE)
                args.push_back(row.name);
            else if (rng() % 2 == 0)
                args.push_back(std::string(row.name) + "=" + value);
            else
                args.insert(args.end(),
                            {row.short_name && rng() % 2 ? row.short_name : row.name, value});
            if (row.id == cli::OPT_END) ended = true;
            if (is_lang && !ended && !bad_lang) {
                if (value != "en" && value != "ja") bad_lang = true;
                english = value != "ja";
            }
        }
        std::string shown;
        for (const auto& a : args) shown += "'" + a + "' ";
        test::CmdRun r = test::run(tmp.path(), cli::run_command_line, args);
        const std::string program = cli::program_name(command);
        if (bad_lang) {
            EXPECT_EQ(r.status, 2) << shown;
            EXPECT_EQ(r.err, program + ": --lang takes ja or en\nSee " + program + " --help\n")
                << shown;
            continue;
        }
        EXPECT_EQ(r.err.find("--lang takes"), std::string::npos) << shown << r.err;
        if (r.status == 2) {
            EXPECT_NE(r.err.find(english ? "\nSee " + program : "\n詳しくは " + program),
                      std::string::npos)
                << shown << r.err;
        }
    }
    set_lc_all("");
    set_language(LANGUAGE_JA);
}

// The words of the commands, with --lang before them, and no word at all.
TEST(CommandLine, TheWordPicksTheCommand) {
    struct Case {
        std::vector<std::string> args;
        const char* command;
        const char* first;  // args[1] after arranging
    } cases[] = {
        {{"tilewright", "map", "x"}, "map", "map"},
        {{"tilewright", "--lang", "en", "--lang=ja", "render", "x"}, "render", "render"},
        {{"tilewright", "--lang", "info"}, "convert", "--lang"},
        {{"tilewright", "x", "info"}, "convert", "x"},
        {{"tilewright", "-t", "bg", "package"}, "convert", "-t"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        EXPECT_STREQ(cli::arrange_command_line(argv).name, c.command) << c.args[1];
        EXPECT_STREQ(argv[1], c.first);
        EXPECT_EQ(argv.size(), c.args.size() + 1);
        EXPECT_EQ(argv.back(), nullptr);
    }
}

}  // namespace
}  // namespace tw
