#include "app/file_dialog.h"

#include "platform/interaction.h"

namespace tw {

bool choose_file(FileDialogRequest& request) {
    request.file[0] = '\0';
    request.ext_offset = 0;
    return interaction().choose_file(request);
}

}  // namespace tw
