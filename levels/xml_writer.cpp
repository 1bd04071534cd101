#include "levels/xml_writer.h"

namespace tw {
namespace {

// In attributes, whitespace other than a space is written as a reference so
// that a reader's attribute normalisation gives it back.
void escape(const std::string& value, bool in_attribute, std::string& out) {
    for (char c : value) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += in_attribute ? "&quot;" : "\"";
                break;
            case '\n':
                out += in_attribute ? "&#10;" : "\n";
                break;
            case '\r':
                out += "&#13;";
                break;
            case '\t':
                out += in_attribute ? "&#9;" : "\t";
                break;
            default:
                out += c;
        }
    }
}

}  // namespace

XmlWriter::XmlWriter() : out_("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") {}

void XmlWriter::end_start_tag() {
    if (!in_start_tag_) return;
    out_ += '>';
    in_start_tag_ = false;
}

void XmlWriter::open(const char* name) {
    end_start_tag();
    if (!open_.empty()) {
        open_.back().has_content = true;
        out_ += '\n';
    }
    out_.append(open_.size(), ' ');
    out_ += '<';
    out_ += name;
    open_.push_back(Open{name});
    in_start_tag_ = true;
}

void XmlWriter::attribute(const char* key, const std::string& value) {
    out_ += ' ';
    out_ += key;
    out_ += "=\"";
    escape(value, true, out_);
    out_ += '"';
}

void XmlWriter::attribute(const char* key, int64_t value) {
    attribute(key, std::to_string(value));
}

void XmlWriter::text(const std::string& value) {
    end_start_tag();
    open_.back().has_content = true;
    open_.back().has_text = true;
    escape(value, false, out_);
}

void XmlWriter::close() {
    const Open element = open_.back();
    open_.pop_back();
    if (in_start_tag_) {
        out_ += "/>";
        in_start_tag_ = false;
    } else {
        if (!element.has_text) {
            out_ += '\n';
            out_.append(open_.size(), ' ');
        }
        out_ += "</";
        out_ += element.name;
        out_ += '>';
    }
    if (open_.empty()) out_ += '\n';
}

}  // namespace tw
