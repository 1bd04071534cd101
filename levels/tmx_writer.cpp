#include "levels/tmx_writer.h"

#include "levels/xml_writer.h"

namespace tw {
namespace {

// The versions of Tiled whose files ours follow; Tiled 1.8 and later read them.
constexpr const char* kFormatVersion = "1.8";
constexpr const char* kTiledVersion = "1.8.2";

std::string csv(const std::vector<uint32_t>& gids, uint32_t width) {
    std::string out = "\n";
    for (size_t i = 0; i < gids.size(); ++i) {
        out += std::to_string(gids[i]);
        if (i + 1 < gids.size()) out += ',';
        if (width != 0 && (i + 1) % width == 0) out += '\n';
    }
    return out;
}

}  // namespace

std::string tsx_file_name(const std::string& name, uint32_t bank) {
    return name + "_P" + std::to_string(bank) + ".tsx";
}

std::string write_tmx(const TmxDocument& d) {
    XmlWriter xml;
    xml.open("map");
    xml.attribute("version", kFormatVersion);
    xml.attribute("tiledversion", kTiledVersion);
    xml.attribute("orientation", "orthogonal");
    xml.attribute("renderorder", "right-down");
    xml.attribute("width", d.width);
    xml.attribute("height", d.height);
    xml.attribute("tilewidth", kTsxTileSize);
    xml.attribute("tileheight", kTsxTileSize);
    xml.attribute("infinite", "0");
    if (!d.background_colour.empty()) xml.attribute("backgroundcolor", d.background_colour);
    xml.attribute("nextlayerid", static_cast<int64_t>(d.layers.size() + 1));
    xml.attribute("nextobjectid", "1");
    if (!d.properties.empty()) {
        xml.open("properties");
        for (const auto& [key, value] : d.properties) {
            xml.open("property");
            xml.attribute("name", key);
            // As Tiled does, text of several lines goes in the element, where
            // every parser keeps its line ends and tabs.
            if (value.find_first_of("\t\n\r") == std::string::npos) {
                xml.attribute("value", value);
            } else {
                xml.text(value);
            }
            xml.close();
        }
        xml.close();
    }
    for (const TmxTilesetRef& t : d.tilesets) {
        xml.open("tileset");
        xml.attribute("firstgid", t.first_gid);
        xml.attribute("source", tsx_file_name(d.name, t.bank));
        xml.close();
    }
    for (size_t i = 0; i < d.layers.size(); ++i) {
        xml.open("layer");
        xml.attribute("id", static_cast<int64_t>(i + 1));
        xml.attribute("name", d.layers[i].name);
        xml.attribute("width", d.width);
        xml.attribute("height", d.height);
        xml.open("data");
        xml.attribute("encoding", "csv");
        xml.text(csv(d.layers[i].gids, d.width));
        xml.close();
        xml.close();
    }
    xml.close();
    return xml.bytes();
}

std::string write_tsx(const std::string& name, const std::string& image_source,
                      uint32_t image_width, uint32_t image_height, const std::string& trans) {
    XmlWriter xml;
    xml.open("tileset");
    xml.attribute("version", kFormatVersion);
    xml.attribute("tiledversion", kTiledVersion);
    xml.attribute("name", name);
    xml.attribute("tilewidth", kTsxTileSize);
    xml.attribute("tileheight", kTsxTileSize);
    xml.attribute("tilecount", kTsxTileCount);
    xml.attribute("columns", kTsxColumns);
    xml.open("image");
    xml.attribute("source", image_source);
    if (!trans.empty()) xml.attribute("trans", trans);
    xml.attribute("width", image_width);
    xml.attribute("height", image_height);
    xml.close();
    xml.close();
    return xml.bytes();
}

}  // namespace tw
