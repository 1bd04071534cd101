#pragma once
// The file system behind File, OutputFile and the folder operations.
//
// The platform supplies its own (POSIX or Win32); tests and fuzz targets may
// put another in its place, as a database's swappable file layer lets its
// tests inject faults: an in-memory one keeps fuzzing off the disk.

#include <cstddef>
#include <cstdint>

namespace tw {

struct FileSystem {
    intptr_t (*open_read)(const char* path);   // -1 when missing or not a file
    intptr_t (*open_write)(const char* path);  // created when missing, not cut; -1 on failure
    intptr_t (*create_new)(const char* path);  // only when nothing is there; -1 otherwise
    bool (*read)(intptr_t h, void* buf, size_t n, size_t* got);
    bool (*write)(intptr_t h, const void* buf, size_t n, size_t* written);
    bool (*size)(intptr_t h, uint64_t* out);
    bool (*seek_relative)(intptr_t h, int64_t offset);
    bool (*truncate_here)(intptr_t h);
    bool (*close)(intptr_t h);
    bool (*is_directory)(const char* path);
    bool (*is_device)(const char* path);  // exists and is neither a file nor a folder
    bool (*make_directory)(const char* path);
    bool (*remove_file)(const char* path);                   // regular files only
    bool (*replace_file)(const char* from, const char* to);  // rename, over `to` if it exists
};

// The platform's own.
const FileSystem& platform_file_system();

// The file system in force; set_file_system(nullptr) restores the platform's.
const FileSystem& file_system();
void set_file_system(const FileSystem* fs);

}  // namespace tw
