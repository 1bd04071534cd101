#include "dialogs/file_dialog.h"

#include "platform/interaction.h"

namespace tw {

bool choose_file(FileDialogRequest& request) {
    request.file[0] = '\0';
    request.ext_offset = 0;
    request.selection.clear();
    return interaction().choose_file(request);
}

std::vector<std::string> chosen_file_paths(const FileDialogRequest& request) {
    std::vector<std::string> paths;
    if (request.selection.empty()) {
        if (request.file[0] != '\0') paths.emplace_back(request.file);
        return paths;
    }
    // folder NUL name NUL name NUL ... NUL
    const std::string& s = request.selection;
    size_t end = s.find('\0');
    std::string folder = s.substr(0, end);
    if (end == std::string::npos) return {folder};
    for (size_t at = end + 1; at < s.size() && s[at] != '\0';) {
        size_t next = s.find('\0', at);
        if (next == std::string::npos) next = s.size();
        paths.push_back(folder + "/" + s.substr(at, next - at));
        at = next + 1;
    }
    if (paths.empty()) paths.push_back(folder);  // one name only: the folder field holds the path
    return paths;
}

}  // namespace tw
