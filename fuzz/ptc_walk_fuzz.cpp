// Taking arbitrary bytes apart as a PTC file: the walk and its converters must
// stay inside the file and their buffers, and every output must stay inside
// the extraction folder.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/settings.h"
#include "convert/convert_job.h"
#include "extract/ptc_extract.h"
#include "platform/files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string dir = [] {
        auto p = std::filesystem::temp_directory_path() / ("tw_fuzz_walk_" + std::to_string(getpid()));
        std::filesystem::create_directories(p / "out");
        return p.string();
    }();
    const std::string input = dir + "/in.ptc";
    {
        tw::File f = tw::File::open_write(input.c_str());
        f.write(data, size);
        f.truncate_here();
    }
    tw::g_settings.Select = 770;
    std::snprintf(tw::g_settings.User, sizeof tw::g_settings.User, "%s/out", dir.c_str());
    tw::g_settings.PRG_ESCAPE = size > 0 && (data[0] & 1);
    tw::g_settings.PRG_MultiByte = size > 0 && (data[0] & 2);
    tw::g_settings.Make_Wide = size > 0 && (data[0] & 4);
    tw::ConvertJob job = tw::make_convert_job(input.c_str(), false);
    tw::extract_ptc(job);
    // Nothing may be written outside dir/out.
    for (const auto& e : std::filesystem::directory_iterator(dir))
        if (e.path().filename() != "out" && e.path().filename() != "in.ptc") abort();
    std::filesystem::remove_all(dir + "/out");
    std::filesystem::create_directories(dir + "/out");
    return 0;
}
