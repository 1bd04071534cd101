#include "cli/console_interaction.h"

#include <cstdio>
#include <string>

#include "common/fixed_text.h"
#include "dialogs/file_dialog.h"
#include "platform/console.h"
#include "resources/texts.h"

namespace tw::cli {

bool ConsoleInteraction::ask_yes_no(const char* text, const char* caption) {
    if (palette_fix_) return *palette_fix_;
    end_progress();
    if (!console_input_is_terminal()) {
        console_write(CONSOLE_ERR, std::string(caption) + ": " + text + kCliNoTerminal.get());
        return false;
    }
    console_write(CONSOLE_ERR, std::string("[") + caption + "]\n" + text + "\n");
    for (;;) {
        console_write(CONSOLE_ERR, kCliYesNoPrompt.get());
        std::string line;
        if (!console_read_line(line)) return false;  // input ended: No
        if (line == "y" || line == "Y" || line == "yes" || line == kCliYes.get()) return true;
        if (line == "n" || line == "N" || line == "no" || line == kCliNo.get()) return false;
    }
}

bool ConsoleInteraction::choose_file(FileDialogRequest& request) {
    if (file_answers_.empty()) return false;
    std::string path = file_answers_.front();
    file_answers_.pop_front();
    return copy_text(request.file, sizeof request.file, path);
}

void ConsoleInteraction::show_message(const char* text, const char* caption) {
    end_progress();
    console_write(CONSOLE_OUT, std::string(caption) + "\n" + text + "\n");
}

void ConsoleInteraction::draw(const char* text) {
    if (std::chrono::steady_clock::now() - start_ < std::chrono::seconds(1)) return;
    if (!console_is_terminal(CONSOLE_ERR)) return;
    console_write(CONSOLE_ERR, std::string("\r") + text + "\x1b[K");
    drawn_ = true;
}

void ConsoleInteraction::batch_progress(size_t index, size_t count) {
    file_index_ = index;
    file_count_ = count;
    char text[64];
    std::snprintf(text, sizeof text, kCliProgress.get(), index + 1, count);
    draw(text);
}

void ConsoleInteraction::progress(uint64_t done, uint64_t total) {
    if (total == 0) return;
    char text[80];
    std::snprintf(text, sizeof text, kCliProgressPercent.get(), file_index_ + 1,
                  file_count_ ? file_count_ : 1, static_cast<unsigned>(done * 100 / total));
    draw(text);
}

void ConsoleInteraction::end_progress() {
    if (!drawn_) return;
    console_write(CONSOLE_ERR, "\r\x1b[K");
    drawn_ = false;
}

}  // namespace tw::cli
