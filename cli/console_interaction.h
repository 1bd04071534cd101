#pragma once
// Questions and messages of the command line: the summary goes to standard
// output, the 1-bit palette question is answered by --palette-fix, asked on
// the terminal, or answered No with a note when no terminal can answer.

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "platform/interaction.h"

namespace tw::cli {

class ConsoleInteraction final : public Interaction {
  public:
    explicit ConsoleInteraction(std::optional<bool> palette_fix) : palette_fix_(palette_fix) {}

    bool ask_yes_no(const char* text, const char* caption) override;
    void show_message(const char* text, const char* caption) override;
    void progress(uint64_t done, uint64_t total) override;
    // The file chooser answers with the paths queued here, in order; with none it is cancelled.
    bool choose_file(FileDialogRequest& request) override;
    void queue_file_answer(const std::string& path) { file_answers_.push_back(path); }

    // Progress of a batch: file `index` of `count` is about to start.
    void batch_progress(size_t index, size_t count);
    // Clears a progress line, if one was drawn.
    void end_progress();

  private:
    void draw(const char* text);
    std::optional<bool> palette_fix_;
    std::deque<std::string> file_answers_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    size_t file_index_ = 0;
    size_t file_count_ = 0;
    bool drawn_ = false;
};

}  // namespace tw::cli
