// Taking arbitrary bytes apart as a PTC file: the walk and its converters must
// stay inside the file and their buffers, and every output must stay inside
// the extraction folder. The files live in memory, so a run costs no disk.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "convert/convert_job.h"
#include "extract/ptc_extract.h"
#include "platform/memory_files.h"
#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tw::MemoryFileSystem* files = new tw::MemoryFileSystem;
    files->clear();
    files->add_file("in.ptc", std::vector<uint8_t>(data, data + size));
    files->add_folder("out");
    tw::g_settings.Select = tw::SELECT_USER_FOLDER;
    std::snprintf(tw::g_settings.User, sizeof tw::g_settings.User, "out");
    tw::g_settings.PRG_ESCAPE = size > 0 && (data[0] & 1);
    tw::g_settings.PRG_MultiByte = size > 0 && (data[0] & 2);
    tw::g_settings.Make_Wide = size > 0 && (data[0] & 4);
    tw::ConvertJob job = tw::make_convert_job("in.ptc", false);
    tw::extract_ptc(job);
    // Nothing may be written outside out/.
    for (const std::string& path : files->file_paths())
        if (path != "in.ptc" && path.compare(0, 4, "out/") != 0) abort();
    return 0;
}
