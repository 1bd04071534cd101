#pragma once
// Answers questions from a script and records everything asked and shown.
// Installs itself for its lifetime.

#include <deque>
#include <string>
#include <vector>

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

    struct Shown {
        std::string text;
        std::string caption;
    };
    std::deque<bool> answers;
    std::vector<Shown> questions;
    std::vector<Shown> messages;
};

}  // namespace tw::test
