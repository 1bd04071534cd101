#include <pugixml.hpp>
#include <string>

#include "platform/xml.h"

namespace tw {
namespace {

bool copy_element(const pugi::xml_node& from, XmlElement& to, uint32_t depth) {
    if (depth > kXmlMaxDepth) return false;
    to.name = from.name();
    for (const pugi::xml_attribute& a : from.attributes())
        to.attributes.emplace_back(a.name(), a.value());
    for (const pugi::xml_node& c : from.children()) {
        switch (c.type()) {
            case pugi::node_element:
                to.children.emplace_back();
                if (!copy_element(c, to.children.back(), depth + 1)) return false;
                break;
            case pugi::node_pcdata:
            case pugi::node_cdata:
                to.text += c.value();
                break;
            default:
                break;
        }
    }
    return true;
}

uint32_t line_of(const uint8_t* data, size_t size, ptrdiff_t offset) {
    if (offset < 0 || static_cast<size_t>(offset) > size) return 0;
    uint32_t line = 1;
    for (ptrdiff_t i = 0; i < offset; ++i)
        if (data[i] == '\n') ++line;
    return line;
}

}  // namespace

bool xml_parse(const uint8_t* data, size_t size, XmlElement& root, uint32_t* error_line) {
    pugi::xml_document doc;
    // Whitespace-only text is kept, as XmlLite reports it; the rest are the defaults
    // (entities, line ends, attribute whitespace) that XmlLite applies too.
    const pugi::xml_parse_result result =
        doc.load_buffer(data, size, pugi::parse_default | pugi::parse_ws_pcdata);
    if (!result) {
        if (error_line) *error_line = line_of(data, size, result.offset);
        return false;
    }
    const pugi::xml_node element = doc.document_element();
    if (!element) {
        if (error_line) *error_line = 0;
        return false;
    }
    XmlElement tree;
    if (!copy_element(element, tree, 1)) {
        if (error_line) *error_line = 0;
        return false;
    }
    root = std::move(tree);
    return true;
}

const char* xml_parser_name() {
    static const std::string name = "pugixml " + std::to_string(PUGIXML_VERSION / 1000) + "." +
                                    std::to_string(PUGIXML_VERSION % 1000 / 10);
    return name.c_str();
}

}  // namespace tw
