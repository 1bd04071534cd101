// TMX maps and TSX tilesets, read through the platform's XML parser.
#include "common/failure.h"
#include "levels/level_parts.h"
#include "platform/xml.h"
#include "resources/texts.h"

namespace tw {
namespace {

std::string text_of(const XmlElement& e, const char* key) {
    const std::string* value = e.attribute(key);
    return value ? *value : std::string();
}

// A count attribute: absent gives `fallback` unless it is required.
bool count_of(const XmlElement& e, const char* key, const std::string& file, bool required,
              uint32_t fallback, uint32_t& out) {
    const std::string* value = e.attribute(key);
    if (!value && !required) {
        out = fallback;
        return true;
    }
    if (value && parse_count(*value, out)) return true;
    set_failure(kLevelBadValue, file.c_str(), key, value ? value->c_str() : "");
    return false;
}

bool parse_document(const std::vector<uint8_t>& bytes, const std::string& path, XmlElement& root) {
    uint32_t line = 0;
    if (xml_parse(bytes.data(), bytes.size(), root, &line)) return true;
    set_failure(kLevelXmlBroken, path.c_str(), line);
    return false;
}

// The properties of an element, every value as written; a long string may be
// the property's text instead of its value attribute.
void read_properties(const XmlElement& e, LevelProperties& out) {
    const XmlElement* properties = e.child("properties");
    if (!properties) return;
    for (const XmlElement& p : properties->children) {
        if (p.name != "property") continue;
        const std::string* value = p.attribute("value");
        out.emplace_back(text_of(p, "name"), value ? *value : p.text);
    }
}

// A tileset element of a map or a TSX file; `file` is the file that holds it.
bool read_tileset_element(const XmlElement& e, const std::string& file, LevelTileset& tileset) {
    tileset.name = text_of(e, "name");
    if (!count_of(e, "tilewidth", file, true, 0, tileset.tile_width) ||
        !count_of(e, "tileheight", file, true, 0, tileset.tile_height) ||
        !count_of(e, "margin", file, false, 0, tileset.margin) ||
        !count_of(e, "spacing", file, false, 0, tileset.spacing))
        return false;
    const XmlElement* image = e.child("image");
    if (!image) {
        set_failure(kLevelImageCollection, tileset.name.c_str());
        return false;
    }
    tileset.image_source = text_of(*image, "source");
    tileset.image_path = resolve_level_path(file, tileset.image_source);
    if (const std::string* trans = image->attribute("trans")) {
        if (!parse_trans(*trans, tileset.trans)) {
            set_failure(kLevelTrans, tileset.name.c_str(), trans->c_str());
            return false;
        }
        tileset.has_trans = true;
    }
    return true;
}

bool read_tileset_reference(const XmlElement& e, const std::string& path, Level& level) {
    LevelTileset tileset;
    if (!count_of(e, "firstgid", path, true, 0, tileset.first_gid)) return false;
    if (const std::string* source = e.attribute("source")) {
        if (!read_tileset_file(resolve_level_path(path, *source), *source, tileset)) return false;
    } else if (!read_tileset_element(e, path, tileset)) {
        return false;
    }
    level.tilesets.push_back(std::move(tileset));
    return true;
}

bool read_layer_data(const XmlElement& layer, const std::string& name, size_t count,
                     std::vector<uint32_t>& gids) {
    const XmlElement* data = layer.child("data");
    if (!data) {
        set_failure(kLevelDataCount, name.c_str(), size_t{0}, count);
        return false;
    }
    const std::string encoding = text_of(*data, "encoding");
    if (!encoding.empty())
        return decode_layer_data(name, encoding, text_of(*data, "compression"), data->text, count,
                                 gids);
    // The oldest form: one element for each tile.
    gids.clear();
    for (const XmlElement& tile : data->children) {
        if (tile.name != "tile") continue;
        uint32_t gid = 0;
        if (const std::string* value = tile.attribute("gid"); value && !parse_count(*value, gid)) {
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

bool is_faded(const XmlElement& e) {
    const std::string opacity = text_of(e, "opacity");
    // Tiled writes the attribute only when the opacity is not 1.
    return (!opacity.empty() && opacity != "1") || e.attribute("tintcolor") != nullptr;
}

// The layers of the map or of a group, in drawing order.
bool read_layers(const XmlElement& parent, const LayerScope& outer, const std::string& path,
                 Level& level) {
    for (const XmlElement& e : parent.children) {
        const bool tiles = e.name == "layer";
        const bool group = e.name == "group";
        if (e.name == "objectgroup") ++level.object_layers;
        if (e.name == "imagelayer") ++level.image_layers;
        if (!tiles && !group) continue;
        const std::string name = text_of(e, "name");
        LayerScope scope;
        if (!enter_layer(outer, name, text_of(e, "visible") != "0", is_faded(e),
                         text_of(e, "offsetx"), text_of(e, "offsety"), scope))
            return false;
        if (group) {
            if (!read_layers(e, scope, path, level)) return false;
            continue;
        }
        uint32_t width = 0;
        uint32_t height = 0;
        bool draw = false;
        if (!count_of(e, "width", path, true, 0, width) ||
            !count_of(e, "height", path, true, 0, height) ||
            !admit_tile_layer(level, name, width, height, scope, &draw))
            return false;
        if (draw && !read_layer_data(e, name, static_cast<size_t>(width) * height,
                                     level.layers.back().gids))
            return false;
    }
    return true;
}

}  // namespace

bool read_tmx_map(const std::vector<uint8_t>& bytes, const std::string& path, Level& level) {
    XmlElement root;
    if (!parse_document(bytes, path, root)) return false;
    if (root.name != "map") {
        set_failure(kLevelNotMap, path.c_str());
        return false;
    }
    MapHeader header;
    header.orientation = text_of(root, "orientation");
    header.infinite = text_of(root, "infinite") == "1";
    if (!count_of(root, "width", path, true, 0, header.width) ||
        !count_of(root, "height", path, true, 0, header.height) ||
        !count_of(root, "tilewidth", path, true, 0, header.tile_width) ||
        !count_of(root, "tileheight", path, true, 0, header.tile_height) ||
        !admit_map(header, level))
        return false;
    level.map_class = text_of(root, "class");
    read_properties(root, level.properties);
    for (const XmlElement& e : root.children)
        if (e.name == "tileset" && !read_tileset_reference(e, path, level)) return false;
    return read_layers(root, LayerScope{}, path, level);
}

bool read_tsx_tileset(const std::vector<uint8_t>& bytes, const std::string& path,
                      LevelTileset& tileset) {
    XmlElement root;
    if (!parse_document(bytes, path, root)) return false;
    if (root.name != "tileset") {
        set_failure(kLevelNotTileset, path.c_str());
        return false;
    }
    return read_tileset_element(root, path, tileset);
}

}  // namespace tw
