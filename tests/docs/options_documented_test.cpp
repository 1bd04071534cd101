// Every option of every command, as the option table has it, is in the
// command's --help in both languages, in both manual pages and in the bash
// completion; so are the commands and the values an enum option allows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/option_table.h"
#include "common/text.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

std::string source_file(const std::string& path) {
    const std::vector<uint8_t> bytes = test::read_file(TW_TEST_DATA_DIR "/../../" + path);
    return std::string(bytes.begin(), bytes.end());
}

// A manual page as it reads: "\-" a hyphen, no font changes.
std::string manual_text(const std::string& path) {
    std::string text = source_file(path), out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '-') {
            out += '-';
            ++i;
        } else if (text[i] == '\\' && i + 2 < text.size() && text[i + 1] == 'f') {
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool word_char(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

// `word` stands on its own somewhere in `text`: "-s" is not found in "--set".
bool has_word(const std::string& text, const std::string& word) {
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const size_t end = at + word.size();
        if ((at == 0 || !word_char(text[at - 1])) && (end == text.size() || !word_char(text[end])))
            return true;
    }
    return false;
}

// What the documents must name for a row: its names and its enum values.
std::vector<std::string> words_of(const cli::OptionRow& row) {
    std::vector<std::string> words = {row.name};
    if (row.short_name != nullptr) words.emplace_back(row.short_name);
    if (row.kind == cli::VALUE_ENUM)
        for (size_t i = 0; const char* choice = row.choice(i); ++i) words.emplace_back(choice);
    return words;
}

// The completion's list of options for one command: the words of `NAME) opts="..."`,
// NAME a whole word (qr is no match in unqr).
std::string completion_options(const std::string& completion, const std::string& command) {
    const std::string start = " " + command + ") opts=\"";
    const size_t at = completion.find(start);
    if (at == std::string::npos) return "";
    const size_t from = at + start.size();
    return completion.substr(from, completion.find('"', from) - from);
}

TEST(OptionsDocumented, InHelpManualPagesAndCompletion) {
    test::TempDir tmp;
    const std::string completion = source_file("completion/tilewright.bash");
    const std::vector<std::pair<std::string, std::string>> pages = {
        {"man/tilewright.1", manual_text("man/tilewright.1")},
        {"man/ja/man1/tilewright.1", manual_text("man/ja/man1/tilewright.1")}};
    std::string missing;
    for (const cli::Command& command : cli::command_table()) {
        std::vector<std::string> help_args = {"--help"};
        if (command.by_word) help_args.insert(help_args.begin(), command.name);
        std::vector<std::pair<std::string, std::string>> helps;
        for (Language lang : {LANGUAGE_JA, LANGUAGE_EN}) {
            set_language(lang);
            helps.emplace_back(lang == LANGUAGE_JA ? "--help (ja)" : "--help (en)",
                               test::run(tmp.path(), command.run, help_args).out);
        }
        set_language(LANGUAGE_JA);
        const std::string opts = completion_options(completion, command.name);
        if (command.by_word) {
            for (const auto& [name, text] : pages)
                if (text.find(std::string("\n.B tilewright ") + command.name + "\n") ==
                    std::string::npos)
                    missing += name + " lacks the synopsis of " + command.name + "\n";
        }
        for (const cli::OptionRow& row : cli::option_table()) {
            if (!cli::row_belongs(row, command)) continue;
            for (const std::string& word : words_of(row)) {
                const bool is_name = word == row.name || (row.short_name && word == row.short_name);
                for (const auto& [name, text] : helps)
                    if (!has_word(text, word))
                        missing += std::string(command.name) + " " + name + " lacks " + word + "\n";
                for (const auto& [name, text] : pages)
                    if (!has_word(text, word))
                        missing += name + " lacks " + word + " (" + command.name + ")\n";
                if (!has_word(is_name ? opts : completion, word))
                    missing +=
                        "completion/tilewright.bash lacks " + word + " (" + command.name + ")\n";
            }
        }
    }
    EXPECT_EQ(missing, "");
}

}  // namespace
}  // namespace tw
