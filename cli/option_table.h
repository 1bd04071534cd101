#pragma once
// The commands of the command line and every option each one takes, in one
// table: the parser, the --help texts and the documentation check all read it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "common/text.h"

namespace tw::cli {

// What an option does, for the command that reads it.
enum OptionId : uint8_t {
    OPT_HELP,
    OPT_LANG,
    OPT_END,  // "--": every later argument is an operand
    OPT_VERSION,
    OPT_TYPE,
    OPT_SET,
    OPT_PALETTE_FIX,
    OPT_OUTPUT,
    OPT_NAME,
    OPT_NO_FLIP,
    OPT_SCREEN,
    OPT_CROP,
    OPT_PALETTE,
    OPT_TRANSPARENT,
    OPT_PACK_EFFORT,
    OPT_REPORT,
    OPT_SHARED,
    OPT_LOWER,
    OPT_REDUCE,
    OPT_DITHER,
    OPT_SCALE,
};

// What an option's value is; the parser checks the enum and integer kinds.
enum ValueKind : uint8_t {
    VALUE_NONE,     // a flag
    VALUE_TEXT,     // any text
    VALUE_FILE,     // a file to read or write
    VALUE_FOLDER,   // a folder
    VALUE_ENUM,     // one of `choice`
    VALUE_INTEGER,  // a whole decimal number of 32 bits
};

struct OptionRow {
    const char* command;  // the command that takes it; nullptr: every command
    OptionId id;
    const char* name;        // "--type"
    const char* short_name;  // "-t", or nullptr
    ValueKind kind;
    const char* value_name;  // "TYPE" in the usage; nullptr for a flag
    // The allowed values of VALUE_ENUM, one by one; nullptr past the last.
    const char* (*choice)(size_t index);
    bool any_case;  // enum values in any case
    Text needs;     // the value is missing (%s: the option as given)
    Text bad;       // the value is not allowed (%s: the value); empty: `needs`
    Text help;      // lines after the first are indented under the first
};

struct Command {
    const char* name;  // "map"; also the word after tilewright, unless `by_word` is false
    bool by_word;      // false for the command run without a word (convert)
    Text synopsis;     // the usage line and what the command does
    Text summary;      // its line in the list of commands
    Text exit_status;
    int (*run)(int argc, char** argv);  // argv[1] is the word when by_word
};

std::span<const OptionRow> option_table();
std::span<const Command> command_table();

// The command of that name; the table names every command the code asks for.
const Command& command_named(const char* name);

// How its messages and usage name it: "tilewright map".
std::string program_name(const Command& command);

// True when `row` is one of the options of `command`.
bool row_belongs(const OptionRow& row, const Command& command);

}  // namespace tw::cli
