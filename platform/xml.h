#pragma once
// XML documents read into a small tree: pugixml on POSIX, XmlLite (a system
// DLL, loaded when first needed) on Windows.
//
// Both sides give the same tree for the same bytes: names as written (with any
// prefix), attribute values and text with entities expanded and line ends made
// LF, all in UTF-8. Comments, processing instructions and the document type
// are left out. An element's text is every piece of character data directly
// inside it, joined, whitespace included.
//
// One known difference: Wine's XmlLite turns a character reference to a tab or
// line end inside an attribute value (&#9; &#10; &#13;) into a space, where the
// standard keeps the character. Our writer puts such text in elements instead.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tw {

struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;  // in document order
    std::string text;
    std::vector<XmlElement> children;

    // The value of an attribute, or nullptr when it is absent.
    const std::string* attribute(const char* key) const {
        for (const auto& a : attributes)
            if (a.first == key) return &a.second;
        return nullptr;
    }
    // The first child element of that name, or nullptr.
    const XmlElement* child(const char* key) const {
        for (const XmlElement& c : children)
            if (c.name == key) return &c;
        return nullptr;
    }
};

// Elements nest at most this deep; a deeper document fails (a level needs a
// few levels, and the tree is walked recursively).
inline constexpr uint32_t kXmlMaxDepth = 256;

// Parses a whole document into its root element. False when the bytes are not
// well-formed XML (or the parser could not be had); then *error_line, when
// given, holds the line (from 1) where the parser stopped, or 0 when unknown.
bool xml_parse(const uint8_t* data, size_t size, XmlElement& root, uint32_t* error_line);

// The parser's name, for --version.
const char* xml_parser_name();

}  // namespace tw
