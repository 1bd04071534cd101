#include "cli/usage_text.h"

#include <string_view>

#include "resources/texts.h"

namespace tw::cli {
namespace {

// Where the help of an option starts: "  -s, --set KEY=VALUE   a setting..."
constexpr size_t kHelpColumn = 24;

// Columns on a terminal: two for each character past ASCII (Japanese ones are wide).
size_t columns(std::string_view text) {
    size_t n = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            n += 1;
        else if (byte >= 0xC0)
            n += 2;
    }
    return n;
}

// `left` padded to the help column (or on a line of its own when too long),
// then `help`, its later lines indented to the column.
void add_entry(std::string& out, const std::string& left, std::string_view help) {
    const size_t width = columns(left);
    out += left;
    if (width + 2 > kHelpColumn) out += '\n';
    out.append(width + 2 > kHelpColumn ? kHelpColumn : kHelpColumn - width, ' ');
    for (char c : help) {
        out += c;
        if (c == '\n') out.append(kHelpColumn, ' ');
    }
    out += '\n';
}

}  // namespace

std::string usage_text(const Command& command) {
    std::string out = command.synopsis.get();
    for (const OptionRow& row : option_table()) {
        if (!row_belongs(row, command)) continue;
        std::string left = "  ";
        if (row.short_name != nullptr) left = left + row.short_name + ", ";
        left += row.name;
        if (row.value_name != nullptr) left = left + " " + row.value_name;
        add_entry(out, left, row.help.get());
    }
    if (!command.by_word) {
        out += '\n';
        out += kCliCommands.get();
        for (const Command& c : command_table())
            add_entry(out, std::string("  ") + (c.by_word ? c.name : kCliFilesWord.get()),
                      c.summary.get());
        out += kCliCommandHelp.get();
        out += '\n';
    }
    out += command.exit_status.get();
    return out;
}

}  // namespace tw::cli
