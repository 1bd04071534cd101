#pragma once
// Answers questions from a script and records everything asked and shown.
// Installs itself for its lifetime.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/file_dialog.h"
#include "platform/interaction.h"

namespace tw::test {

class ScriptedInteraction final : public Interaction {
  public:
    ScriptedInteraction() { set_interaction(this); }
    ~ScriptedInteraction() override { set_interaction(nullptr); }

    bool ask_yes_no(const char* text, const char* caption) override {
        questions.push_back({text, caption});
        if (answers.empty()) return false;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void show_message(const char* text, const char* caption) override {
        messages.push_back({text, caption});
    }
    bool choose_file(FileDialogRequest& request) override {
        requests.push_back(request);
        if (on_choose) on_choose();
        if (files.empty()) return false;
        std::string path = files.front();
        files.pop_front();
        if (path.size() >= sizeof request.file) return false;
        path.copy(request.file, path.size());
        request.file[path.size()] = '\0';
        return true;
    }

    struct Shown {
        std::string text;
        std::string caption;
    };
    int choose_folder(char* folder, size_t cap) override {
        ++folder_requests;
        if (folder_answer.empty() || folder_answer.size() >= cap) return FOLDER_CANCELLED;
        folder_answer.copy(folder, folder_answer.size());
        folder[folder_answer.size()] = '\0';
        return FOLDER_CHOSEN;
    }

    std::deque<bool> answers;
    std::string folder_answer;  // empty: the picker is cancelled
    int folder_requests = 0;
    std::deque<std::string> files;  // the chooser's answers; none left: cancelled
    std::vector<FileDialogRequest> requests;
    std::function<void()> on_choose;
    std::vector<Shown> questions;
    std::vector<Shown> messages;
};

}  // namespace tw::test
