// JSON maps (.tmj) and tilesets (.tsj), read with nlohmann-json. Its parse
// errors are exceptions, caught here; every member is looked up with its type
// checked, so nothing else throws but memory.
#include <nlohmann/json.hpp>

#include "common/failure.h"
#include "levels/level_parts.h"
#include "resources/texts.h"

namespace tw {
namespace {

using Json = nlohmann::json;

const Json* member(const Json& object, const char* key) {
    if (!object.is_object()) return nullptr;
    const auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

std::string string_of(const Json& object, const char* key) {
    const Json* value = member(object, key);
    return value && value->is_string() ? value->get<std::string>() : std::string();
}

bool bool_of(const Json& object, const char* key, bool fallback) {
    const Json* value = member(object, key);
    return value && value->is_boolean() ? value->get<bool>() : fallback;
}

// A member's value as written, for numbers and strings alike.
std::string written(const Json* value) {
    if (!value) return {};
    return value->is_string() ? value->get<std::string>() : value->dump();
}

bool as_count(const Json& value, uint32_t& out) {
    if (!value.is_number_unsigned() && !(value.is_number_integer() && value.get<int64_t>() >= 0))
        return false;
    const uint64_t v = value.get<uint64_t>();
    if (v > 0xFFFFFFFFu) return false;
    out = static_cast<uint32_t>(v);
    return true;
}

bool count_of(const Json& object, const char* key, const std::string& file, bool required,
              uint32_t& out) {
    const Json* value = member(object, key);
    if (!value && !required) {
        out = 0;
        return true;
    }
    if (value && as_count(*value, out)) return true;
    set_failure(kLevelBadValue, file.c_str(), key, written(value).c_str());
    return false;
}

// The parser recurses for each level of nesting; a level needs a few, so
// deeper text is refused before it can use up the stack.
constexpr size_t kMaxJsonDepth = 64;

bool too_deep(const std::vector<uint8_t>& bytes, size_t& at) {
    size_t depth = 0;
    bool in_string = false;
    for (at = 0; at < bytes.size(); ++at) {
        const uint8_t c = bytes[at];
        if (in_string) {
            if (c == '\\') {
                ++at;
            } else if (c == '"') {
                in_string = false;
            }
        } else if (c == '"') {
            in_string = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxJsonDepth) return true;
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return false;
}

bool parse_document(const std::vector<uint8_t>& bytes, const std::string& path, Json& out) {
    size_t at = 0;
    if (too_deep(bytes, at)) {
        set_failure(kLevelJsonBroken, path.c_str(), at + 1);
        return false;
    }
    try {
        out = Json::parse(bytes.begin(), bytes.end());
        return true;
    } catch (const Json::parse_error& e) {
        set_failure(kLevelJsonBroken, path.c_str(), e.byte);
        return false;
    }
}

void read_properties(const Json& object, LevelProperties& out) {
    const Json* properties = member(object, "properties");
    if (!properties || !properties->is_array()) return;
    for (const Json& p : *properties)
        out.emplace_back(string_of(p, "name"), written(member(p, "value")));
}

bool read_tileset_object(const Json& t, const std::string& file, LevelTileset& tileset) {
    tileset.name = string_of(t, "name");
    if (!count_of(t, "tilewidth", file, true, tileset.tile_width) ||
        !count_of(t, "tileheight", file, true, tileset.tile_height) ||
        !count_of(t, "margin", file, false, tileset.margin) ||
        !count_of(t, "spacing", file, false, tileset.spacing))
        return false;
    const Json* image = member(t, "image");
    if (!image || !image->is_string()) {
        set_failure(kLevelImageCollection, tileset.name.c_str());
        return false;
    }
    tileset.image_source = image->get<std::string>();
    tileset.image_path = resolve_level_path(file, tileset.image_source);
    if (const Json* trans = member(t, "transparentcolor")) {
        if (!trans->is_string() || !parse_trans(trans->get<std::string>(), tileset.trans)) {
            set_failure(kLevelTrans, tileset.name.c_str(), written(trans).c_str());
            return false;
        }
        tileset.has_trans = true;
    }
    return true;
}

bool read_tileset_reference(const Json& t, const std::string& path, Level& level) {
    LevelTileset tileset;
    if (!count_of(t, "firstgid", path, true, tileset.first_gid)) return false;
    if (const Json* source = member(t, "source"); source && source->is_string()) {
        const std::string as_written = source->get<std::string>();
        if (!read_tileset_file(resolve_level_path(path, as_written), as_written, tileset))
            return false;
    } else if (!read_tileset_object(t, path, tileset)) {
        return false;
    }
    level.tilesets.push_back(std::move(tileset));
    return true;
}

bool read_layer_data(const Json& layer, const std::string& name, size_t count,
                     std::vector<uint32_t>& gids) {
    const Json* data = member(layer, "data");
    if (data && data->is_string())
        return decode_layer_data(name, string_of(layer, "encoding"),
                                 string_of(layer, "compression"), data->get<std::string>(), count,
                                 gids);
    if (!data || !data->is_array()) {
        set_failure(kLevelDataBroken, name.c_str());
        return false;
    }
    gids.clear();
    for (const Json& v : *data) {
        uint32_t gid = 0;
        if (!as_count(v, gid)) {
            set_failure(kLevelDataBroken, name.c_str());
            return false;
        }
        gids.push_back(gid);
    }
    if (gids.size() != count) {
        set_failure(kLevelDataCount, name.c_str(), gids.size(), count);
        return false;
    }
    return true;
}

bool is_faded(const Json& layer) {
    const Json* opacity = member(layer, "opacity");
    // Compared with 1 only to say that it is not drawn.
    return (opacity && opacity->is_number() && opacity->get<double>() != 1.0) ||
           member(layer, "tintcolor") != nullptr;
}

bool read_layers(const Json& parent, const LayerScope& outer, const std::string& path,
                 Level& level) {
    const Json* layers = member(parent, "layers");
    if (!layers || !layers->is_array()) return true;
    for (const Json& e : *layers) {
        const std::string type = string_of(e, "type");
        const bool tiles = type == "tilelayer";
        const bool group = type == "group";
        if (type == "objectgroup") ++level.object_layers;
        if (type == "imagelayer") ++level.image_layers;
        if (!tiles && !group) continue;
        const std::string name = string_of(e, "name");
        LayerScope scope;
        if (!enter_layer(outer, name, bool_of(e, "visible", true), is_faded(e),
                         written(member(e, "offsetx")), written(member(e, "offsety")), scope))
            return false;
        if (group) {
            if (!read_layers(e, scope, path, level)) return false;
            continue;
        }
        uint32_t width = 0;
        uint32_t height = 0;
        bool draw = false;
        if (!count_of(e, "width", path, true, width) ||
            !count_of(e, "height", path, true, height) ||
            !admit_tile_layer(level, name, width, height, scope, &draw))
            return false;
        if (draw && !read_layer_data(e, name, static_cast<size_t>(width) * height,
                                     level.layers.back().gids))
            return false;
    }
    return true;
}

}  // namespace

bool read_tmj_map(const std::vector<uint8_t>& bytes, const std::string& path, Level& level) {
    Json root;
    if (!parse_document(bytes, path, root)) return false;
    if (!root.is_object() || !member(root, "orientation")) {
        set_failure(kLevelNotMap, path.c_str());
        return false;
    }
    MapHeader header;
    header.orientation = string_of(root, "orientation");
    header.infinite = bool_of(root, "infinite", false);
    if (!count_of(root, "width", path, true, header.width) ||
        !count_of(root, "height", path, true, header.height) ||
        !count_of(root, "tilewidth", path, true, header.tile_width) ||
        !count_of(root, "tileheight", path, true, header.tile_height) || !admit_map(header, level))
        return false;
    level.map_class = string_of(root, "class");
    read_properties(root, level.properties);
    if (const Json* tilesets = member(root, "tilesets"); tilesets && tilesets->is_array())
        for (const Json& t : *tilesets)
            if (!read_tileset_reference(t, path, level)) return false;
    return read_layers(root, LayerScope{}, path, level);
}

bool read_tsj_tileset(const std::vector<uint8_t>& bytes, const std::string& path,
                      LevelTileset& tileset) {
    Json root;
    if (!parse_document(bytes, path, root)) return false;
    if (!root.is_object() || !member(root, "tilewidth")) {
        set_failure(kLevelNotTileset, path.c_str());
        return false;
    }
    return read_tileset_object(root, path, tileset);
}

}  // namespace tw
