#pragma once
// The file chooser's request and result, shared by the menu command and the
// package dialog. The chooser itself is an interactive service.

#include <cstdint>
#include <string>
#include <vector>

namespace tw {

struct FileDialogRequest {
    std::string title;   // UTF-8
    std::string filter;  // pairs of display text (UTF-8) and pattern, each ending in NUL
    uint8_t multi_select = 0;
    uint8_t overwrite_prompt = 0;  // set: the file need not exist, overwriting is confirmed
    std::string default_ext;
    // Result: one full path, or for a multiple selection the folder, NUL, each
    // name followed by NUL, and a final NUL. Emptied before the dialog opens.
    char file[260] = {};
    uint16_t ext_offset = 0;
    // A multiple selection in the same layout, without the 260-byte limit of
    // `file` (which then stays empty); empty for a single file.
    std::string selection;
};

// The full paths a confirmed request names, in the chooser's order: its one
// file, or the folder joined with each name ("%s/%s").
std::vector<std::string> chosen_file_paths(const FileDialogRequest& request);

// Shows the chooser through the interaction service; true when the user confirmed.
bool choose_file(FileDialogRequest& request);

}  // namespace tw
