#pragma once
// The questions and messages a conversion may put to the user.
//
// Chosen per executable, not per platform: the desktop program answers with
// message boxes owned by its main window, the command line with terminal
// questions and options, the tests with scripted answers that also record
// what was asked. Texts are UTF-8.

#include <cstddef>
#include <cstdint>

namespace tw {

struct FileDialogRequest;

enum FolderChoice : int { FOLDER_CHOSEN = 1, FOLDER_CANCELLED = 2 };

class Interaction {
  public:
    virtual ~Interaction() = default;
    // A Yes/No question; true for Yes.
    virtual bool ask_yes_no(const char* text, const char* caption) = 0;
    // A message with an OK button and no icon.
    virtual void show_message(const char* text, const char* caption) = 0;
    // The file chooser: fills request.file and returns true when the user confirmed.
    virtual bool choose_file(FileDialogRequest& request) {
        (void)request;
        return false;
    }
    // The folder picker: FOLDER_CHOSEN and the path in folder[cap] when a folder
    // was chosen, FOLDER_CANCELLED when the user cancelled or the choice has no path.
    virtual int choose_folder(char* folder, size_t cap) {
        (void)folder;
        (void)cap;
        return FOLDER_CANCELLED;
    }
    // Long work reports how far it got (in units of its own choosing).
    virtual void progress(uint64_t done, uint64_t total) {
        (void)done;
        (void)total;
    }
};

// The service in force. Without one set, questions are answered No and messages dropped.
Interaction& interaction();
// Sets the service (nullptr restores the silent one). The caller keeps ownership.
void set_interaction(Interaction* service);

}  // namespace tw
