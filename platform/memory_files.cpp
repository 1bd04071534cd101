#include "platform/memory_files.h"

#include <algorithm>
#include <cstring>

#include "platform/files_sys.h"

namespace tw {

MemoryFileSystem* MemoryFileSystem::current_ = nullptr;

namespace {

// Folders are named without a trailing separator.
std::string folder_key(std::string path) {
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
    return path;
}

}  // namespace

// The file service's calls over the instance in force.
struct MemoryFileCalls {
    static MemoryFileSystem& fs() { return *MemoryFileSystem::current_; }

    static intptr_t open_file(const char* path, bool create, bool must_be_new) {
        MemoryFileSystem& m = fs();
        if (m.folders_.count(folder_key(path))) return -1;
        auto it = m.files_.find(path);
        if (it != m.files_.end() && must_be_new) return -1;
        if (it == m.files_.end()) {
            if (!create) return -1;
            it = m.files_.emplace(path, std::make_shared<std::vector<uint8_t>>()).first;
        }
        const intptr_t h = m.next_handle_++;
        m.open_[h] = {it->second, 0};
        return h;
    }
    static intptr_t open_read(const char* path) { return open_file(path, false, false); }
    static intptr_t open_write(const char* path) { return open_file(path, true, false); }
    static intptr_t create_new(const char* path) { return open_file(path, true, true); }

    static bool read(intptr_t h, void* buf, size_t n, size_t* got) {
        MemoryFileSystem& m = fs();
        auto& f = m.open_.at(h);
        if (m.read_budget_ == 0) return false;
        const uint64_t left = f.bytes->size() > f.pos ? f.bytes->size() - f.pos : 0;
        uint64_t take = std::min<uint64_t>(n, left);
        if (m.read_budget_ > 0) {
            take = std::min<uint64_t>(take, static_cast<uint64_t>(m.read_budget_));
            m.read_budget_ -= static_cast<int64_t>(take);
        }
        if (take > 0) std::memcpy(buf, f.bytes->data() + f.pos, static_cast<size_t>(take));
        f.pos += take;
        *got = static_cast<size_t>(take);
        return true;
    }
    static bool write(intptr_t h, const void* buf, size_t n, size_t* written) {
        auto& f = fs().open_.at(h);
        if (f.bytes->size() < f.pos + n) f.bytes->resize(static_cast<size_t>(f.pos + n));
        if (n > 0) std::memcpy(f.bytes->data() + f.pos, buf, n);
        f.pos += n;
        *written = n;
        return true;
    }
    static bool size(intptr_t h, uint64_t* out) {
        *out = fs().open_.at(h).bytes->size();
        return true;
    }
    static bool seek_relative(intptr_t h, int64_t offset) {
        auto& f = fs().open_.at(h);
        if (offset < 0 && static_cast<uint64_t>(-offset) > f.pos) return false;
        f.pos = static_cast<uint64_t>(static_cast<int64_t>(f.pos) + offset);
        return true;
    }
    static bool truncate_here(intptr_t h) {
        auto& f = fs().open_.at(h);
        f.bytes->resize(static_cast<size_t>(f.pos));
        return true;
    }
    static bool close(intptr_t h) { return fs().open_.erase(h) == 1; }
    static bool is_directory(const char* path) {
        return fs().folders_.count(folder_key(path)) == 1;
    }
    static bool is_device(const char*) { return false; }
    static bool make_directory(const char* path) {
        MemoryFileSystem& m = fs();
        const std::string key = folder_key(path);
        if (m.files_.count(key)) return false;
        return m.folders_.insert(key).second;
    }
    static bool remove_file(const char* path) { return fs().files_.erase(path) == 1; }
    static bool replace_file(const char* from, const char* to) {
        MemoryFileSystem& m = fs();
        auto it = m.files_.find(from);
        if (it == m.files_.end() || m.folders_.count(folder_key(to))) return false;
        auto bytes = it->second;
        m.files_.erase(it);
        m.files_[to] = std::move(bytes);
        return true;
    }
};

namespace {

constexpr FileSystem kMemoryCalls = {
    MemoryFileCalls::open_read,     MemoryFileCalls::open_write,    MemoryFileCalls::create_new,
    MemoryFileCalls::read,          MemoryFileCalls::write,         MemoryFileCalls::size,
    MemoryFileCalls::seek_relative, MemoryFileCalls::truncate_here, MemoryFileCalls::close,
    MemoryFileCalls::is_directory,  MemoryFileCalls::is_device,     MemoryFileCalls::make_directory,
    MemoryFileCalls::remove_file,   MemoryFileCalls::replace_file,
};

}  // namespace

MemoryFileSystem::MemoryFileSystem() : previous_(&file_system()) {
    current_ = this;
    set_file_system(&kMemoryCalls);
}

MemoryFileSystem::~MemoryFileSystem() {
    current_ = nullptr;
    set_file_system(previous_ == &platform_file_system() ? nullptr : previous_);
}

void MemoryFileSystem::add_file(const std::string& path, std::vector<uint8_t> bytes) {
    files_[path] = std::make_shared<std::vector<uint8_t>>(std::move(bytes));
}

void MemoryFileSystem::add_folder(const std::string& path) {
    folders_.insert(folder_key(path));
}

const std::vector<uint8_t>* MemoryFileSystem::file(const std::string& path) const {
    auto it = files_.find(path);
    return it == files_.end() ? nullptr : it->second.get();
}

std::vector<std::string> MemoryFileSystem::file_paths() const {
    std::vector<std::string> paths;
    for (const auto& [path, bytes] : files_) paths.push_back(path);
    return paths;
}

void MemoryFileSystem::clear() {
    files_.clear();
    folders_.clear();
    open_.clear();
}

}  // namespace tw
