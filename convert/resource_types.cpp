#include "convert/resource_types.h"

#include "common/ascii_text.h"
#include "resources/resource.h"

namespace tw {

const ResourceType kResourceTypes[10] = {
    {IDM_TYPE_BG, "bg", 8, 8},         {IDM_TYPE_16X16, "16x16", 16, 16},
    {IDM_TYPE_32X16, "32x16", 32, 16}, {IDM_TYPE_16X32, "16x32", 16, 32},
    {IDM_TYPE_32X32, "32x32", 32, 32}, {IDM_TYPE_64X32, "64x32", 64, 32},
    {IDM_TYPE_32X64, "32x64", 32, 64}, {IDM_TYPE_64X64, "64x64", 64, 64},
    {IDM_TYPE_GRP, "grp", 0, 0},       {IDM_TYPE_BIN, "bin", 0, 0},
};

const ResourceType* resource_type_by_menu(uint32_t menu_id) {
    for (const auto& t : kResourceTypes)
        if (t.menu_id == menu_id) return &t;
    return nullptr;
}

const ResourceType* resource_type_by_name(std::string_view name) {
    for (const auto& t : kResourceTypes)
        if (same_ci(name, t.name)) return &t;
    return nullptr;
}

}  // namespace tw
