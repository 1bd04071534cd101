#pragma once
// Questions, messages and pickers of the desktop program: message boxes, the
// common file dialog and the shell's folder browser, all through the wide API.

#include "platform/interaction.h"

namespace tw::win32 {

class GuiInteraction final : public Interaction {
  public:
    bool ask_yes_no(const char* text, const char* caption) override;
    void show_message(const char* text, const char* caption) override;
    bool choose_file(FileDialogRequest& request) override;
    int choose_folder(char* folder, size_t cap) override;
};

}  // namespace tw::win32
