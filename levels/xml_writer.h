#pragma once
// A small XML writer: the same bytes on every platform, indented by one space
// for each level as Tiled indents its files, UTF-8 text escaped.

#include <cstdint>
#include <string>
#include <vector>

namespace tw {

class XmlWriter {
  public:
    XmlWriter();  // starts with the XML declaration

    void open(const char* name);  // a child of the open element (or the root)
    void attribute(const char* key, const std::string& value);
    void attribute(const char* key, int64_t value);
    // Character data inside the open element; its end tag then follows the text.
    void text(const std::string& value);
    void close();  // "/>" when the element is empty

    // The document; every element must be closed.
    const std::string& bytes() const { return out_; }

  private:
    void end_start_tag();
    struct Open {
        std::string name;
        bool has_content = false;
        bool has_text = false;
    };
    std::vector<Open> open_;
    bool in_start_tag_ = false;
    std::string out_;
};

}  // namespace tw
