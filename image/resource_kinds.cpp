#include "image/resource_kinds.h"

#include "common/fixed_text.h"

namespace tw {

const ResourceKind* resource_kind_by_tag(std::string_view tag) {
    for (const ResourceKind* kind : kResourceKinds)
        if (tag == kind->tag()) return kind;
    return nullptr;
}

const ResourceKind* resource_kind_by_suffix(std::string_view suffix) {
    for (const ResourceKind* kind : kResourceKinds)
        if (suffix == kind->suffix()) return kind;
    return nullptr;
}

bool ptc_output_path(char* dst, size_t cap, const char* out_dir, const char* name, const char* stem,
                     int32_t part) {
    if (part < 0) return format_text(dst, cap, "%s%s_%s.ptc", out_dir, name, stem);
    return format_text(dst, cap, "%s%s_%s%u.ptc", out_dir, name, stem, static_cast<unsigned>(part));
}

}  // namespace tw
