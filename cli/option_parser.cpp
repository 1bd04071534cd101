#include "cli/option_parser.h"

#include <string_view>

#include "cli/cli_options.h"
#include "cli/usage_text.h"
#include "common/ascii_text.h"
#include "platform/console.h"
#include "resources/texts.h"

namespace tw::cli {
namespace {

bool allowed(const OptionRow& row, std::string_view value) {
    for (size_t i = 0; const char* choice = row.choice(i); ++i)
        if (row.any_case ? same_ci(value, choice) : value == choice) return true;
    return false;
}

// The usage error of a value the row does not take; empty when it takes it.
std::string check_value(const OptionRow& row, const std::string& value) {
    const bool ok = row.kind == VALUE_ENUM      ? allowed(row, value)
                    : row.kind == VALUE_INTEGER ? parse_int32(value).has_value()
                                                : true;
    if (ok) return "";
    if (row.bad.en != nullptr && row.bad.en[0] != '\0') return say(row.bad.get(), value.c_str());
    if (row.kind == VALUE_INTEGER) return say(kCliIntegerValue.get(), row.name, value.c_str());
    return say(row.needs.get(), row.name);
}

const OptionRow* find_row(const Command& command, std::span<const OptionRow> rows,
                          std::string_view name, bool by_short_name) {
    for (const OptionRow& row : rows) {
        if (!row_belongs(row, command)) continue;
        if (name == row.name) return &row;
        if (by_short_name && row.short_name != nullptr && name == row.short_name) return &row;
    }
    return nullptr;
}

}  // namespace

ParsedArgs parse_args(const Command& command, std::span<const OptionRow> rows, int argc,
                      char** argv) {
    ParsedArgs parsed;
    bool ended = false;
    for (int i = command.by_word ? 2 : 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (ended || arg.empty() || arg[0] != '-' || arg == "-") {
            parsed.operands.emplace_back(arg);
            continue;
        }
        // "--name=VALUE" names its option before the "="; short names take no "=".
        const size_t eq = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string_view::npos;
        const bool inline_value = eq != std::string_view::npos;
        const OptionRow* row = find_row(command, rows, arg.substr(0, eq), !inline_value);
        GivenOption given{row, "", ""};
        if (row == nullptr) {
            given.error = say(kCliUnknownOption.get(), std::string(arg).c_str());
        } else if (row->kind == VALUE_NONE) {
            if (inline_value) given.error = say(kCliNoValue.get(), row->name);
            if (row->id == OPT_END) ended = true;
        } else if (inline_value || i + 1 < argc) {
            given.value = inline_value ? std::string(arg.substr(eq + 1)) : argv[++i];
            given.error = check_value(*row, given.value);
        } else {
            given.error = say(row->needs.get(), std::string(arg).c_str());
        }
        parsed.options.push_back(std::move(given));
    }
    return parsed;
}

ParsedArgs parse_args(const Command& command, int argc, char** argv) {
    return parse_args(command, option_table(), argc, argv);
}

int common_option(const Command& command, const GivenOption& option) {
    if (!option.error.empty()) return usage_error(program_name(command), option.error);
    if (option.row->id == OPT_HELP) {
        console_write(CONSOLE_OUT, usage_text(command));
        return 0;
    }
    return -1;
}

}  // namespace tw::cli
