#include <windows.h>

#include "common/fixed_text.h"
#include "platform/files.h"
#include "platform/files_sys.h"

namespace tw {
namespace sys {
HANDLE as_handle(intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}
intptr_t from_handle(HANDLE h) {
    return h == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<intptr_t>(h);
}

intptr_t open_read(const char* path) {
    return from_handle(
        CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

intptr_t open_write(const char* path) {
    return from_handle(
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool read(intptr_t h, void* buf, size_t n, size_t* got) {
    DWORD want = n > 0x40000000u ? 0x40000000u : static_cast<DWORD>(n);
    DWORD r = 0;
    if (!ReadFile(as_handle(h), buf, want, &r, nullptr)) return false;
    *got = r;
    return true;
}

bool write(intptr_t h, const void* buf, size_t n, size_t* written) {
    DWORD want = n > 0x40000000u ? 0x40000000u : static_cast<DWORD>(n);
    DWORD w = 0;
    if (!WriteFile(as_handle(h), buf, want, &w, nullptr)) return false;
    *written = w;
    return true;
}

bool size(intptr_t h, uint64_t* out) {
    LARGE_INTEGER li;
    if (!GetFileSizeEx(as_handle(h), &li)) return false;
    *out = static_cast<uint64_t>(li.QuadPart);
    return true;
}

bool seek_relative(intptr_t h, int64_t offset) {
    LARGE_INTEGER li;
    li.QuadPart = offset;
    return SetFilePointerEx(as_handle(h), li, nullptr, FILE_CURRENT) != 0;
}

bool truncate_here(intptr_t h) {
    if (GetFileType(as_handle(h)) != FILE_TYPE_DISK) return true;
    return SetEndOfFile(as_handle(h)) != 0;
}

bool close(intptr_t h) {
    return CloseHandle(as_handle(h)) != 0;
}

intptr_t create_new(const char* path) {
    return from_handle(
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool is_device(const char*) {
    return false;
}

// Paths are ANSI; the wide call takes them converted from the ANSI code page.
bool replace_file(const char* from, const char* to) {
    wchar_t wide_from[MAX_PATH], wide_to[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, from, -1, wide_from, MAX_PATH) == 0 ||
        MultiByteToWideChar(CP_ACP, 0, to, -1, wide_to, MAX_PATH) == 0)
        return false;
    return MoveFileExW(wide_from, wide_to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool is_directory(const char* path) {
    DWORD a = GetFileAttributesA(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool make_directory(const char* path) {
    return CreateDirectoryA(path, nullptr) != 0;
}

bool remove_file(const char* path) {
    return DeleteFileA(path) != 0;
}

}  // namespace sys

const FileSystem& platform_file_system() {
    static constexpr FileSystem kWin32 = {
        sys::open_read,   sys::open_write,   sys::create_new,    sys::read,
        sys::write,       sys::size,         sys::seek_relative, sys::truncate_here,
        sys::close,       sys::is_directory, sys::is_device,     sys::make_directory,
        sys::remove_file, sys::replace_file,
    };
    return kWin32;
}

bool current_directory(char* out, size_t cap) {
    char buf[MAX_PATH + 1];
    DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
    if (n == 0 || n >= sizeof buf) return false;
    return copy_text(out, cap, buf);
}

}  // namespace tw
