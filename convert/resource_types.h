#pragma once
// The resource types of the menu: what a picture becomes.

#include <cstdint>
#include <string_view>

namespace tw {

struct ResourceType {
    uint16_t menu_id;    // the menu command that checks it
    const char* name;    // its name on the command line and in the sprite size box
    int32_t unit_width;  // the unit a picture is cut in; 0 keeps the sprite size in force
    int32_t unit_height;
};

// BG, the seven sprite sizes from 16x16 to 64x64, graphic pages, binary data.
extern const ResourceType kResourceTypes[10];

// The type of a menu command or a name (any case); nullptr when there is none.
const ResourceType* resource_type_by_menu(uint32_t menu_id);
const ResourceType* resource_type_by_name(std::string_view name);

// The sprite sizes: units of 16 pixels or more.
inline bool is_sprite_type(const ResourceType& t) {
    return t.unit_width >= 16;
}

}  // namespace tw
