#include "cli/option_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text.h"

namespace tw {
namespace {

// What the parser made of a command line: "name=value" or "name!error" per
// option ("?" for an unknown one), then the operands in brackets.
std::string parsed(const cli::Command& command, std::span<const cli::OptionRow> rows,
                   std::vector<std::string> args) {
    args.insert(args.begin(), "tilewright");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const cli::ParsedArgs p =
        cli::parse_args(command, rows, static_cast<int>(args.size()), argv.data());
    std::string out;
    for (const cli::GivenOption& o : p.options) {
        out += o.row != nullptr ? o.row->name : "?";
        out += o.error.empty() ? "=" + o.value : "!" + o.error;
        out += ' ';
    }
    out += "[";
    for (const std::string& operand : p.operands) out += operand + "|";
    return out + "]";
}

TEST(OptionParser, FormsValuesAndErrors) {
    struct Case {
        const char* command;
        std::vector<std::string> args;
        const char* want;
    } cases[] = {
        {"map",
         {"map", "-o", "d", "--output=e", "--no-flip", "x"},
         "--output=d --output=e --no-flip= [x|]"},
        // Empty values stay values; other empty arguments and "-" are operands.
        {"map", {"map", "--output=", "-o", "", "", "-"}, "--output= --output= [|-|]"},
        {"map", {"map", "-s", "--lang", "x"}, "--set=--lang [x|]"},
        {"map", {"map", "a", "--", "-o", "--bogus", ""}, "--= [a|-o|--bogus||]"},
        {"map", {"map", "-o"}, "--output!-o needs the output folder []"},
        {"map",
         {"map", "--bogus", "-o=x", "-x"},
         "?!unknown option: --bogus ?!unknown option: -o=x ?!unknown option: -x []"},
        {"map", {"map", "--no-flip=1"}, "--no-flip!--no-flip takes no value []"},
        {"map", {"map", "--screen", "SCR0"}, "?!unknown option: --screen [SCR0|]"},
        {"info", {"info", "-o", "x"}, "?!unknown option: -o [x|]"},
        // Enum values: any case where the row says so.
        {"render",
         {"render", "--screen", "scr3", "--screen=SCR4"},
         "--screen=scr3 --screen!--screen takes SCR0, SCR1, SCR2 or SCR3 []"},
        {"convert",
         {"-t", "64X64", "--type=24x24", "--type"},
         "--type=64X64 --type!unknown resource type: 24x24 --type!--type needs a resource type []"},
        {"convert",
         {"--palette-fix", "YES", "--palette-fix=no"},
         "--palette-fix!--palette-fix takes yes or no --palette-fix=no []"},
        {"package",
         {"package", "--lang", "", "--lang=en", "--help"},
         "--lang!--lang takes ja or en --lang=en --help= []"},
    };
    set_language(LANGUAGE_EN);
    for (const Case& c : cases)
        EXPECT_EQ(parsed(cli::command_named(c.command), cli::option_table(), c.args), c.want)
            << c.command << " " << c.args.size();

    // The integer kind, on a command of the test's own.
    const cli::Command count{"count", true, {"", ""}, {"", ""}, {"", ""}, nullptr};
    const cli::OptionRow rows[] = {{"count",
                                    cli::OPT_CROP,
                                    "--count",
                                    "-n",
                                    cli::VALUE_INTEGER,
                                    "N",
                                    nullptr,
                                    false,
                                    {"", ""},
                                    {"", ""},
                                    {"", ""}}};
    EXPECT_EQ(parsed(count, rows, {"count", "-n", "-12", "--count=1x", "--count="}),
              "--count=-12 --count!--count takes a whole number: 1x "
              "--count!--count takes a whole number:  []");
    set_language(LANGUAGE_JA);
}

}  // namespace
}  // namespace tw
