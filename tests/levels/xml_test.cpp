#include "platform/xml.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

bool parse(const std::string& text, XmlElement& root, uint32_t* line = nullptr) {
    return xml_parse(reinterpret_cast<const uint8_t*>(text.data()), text.size(), root, line);
}

// pugixml and XmlLite must give the same tree: entities, CDATA, line ends,
// whitespace text, attribute order, and what is left out.
TEST(LevelXml, BothParsersGiveTheSameTree) {
    const std::string doc =
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- note -->\n"
        "<!DOCTYPE map>\n<map b=\"1 &amp; 2\" a='x&#65;y&quot;' c=\"\xE3\x81\x82\">\r\n"
        " <data enc=\"csv\">  1,2 <![CDATA[<3>]]>&lt;&#x41;</data><?pi x?><e/>\n"
        " <f><g/>t</f></map>\n";
    XmlElement root;
    ASSERT_TRUE(parse(doc, root));
    EXPECT_EQ(root.name, "map");
    ASSERT_EQ(root.attributes.size(), 3u);
    EXPECT_EQ(root.attributes[0], std::make_pair(std::string("b"), std::string("1 & 2")));
    EXPECT_EQ(root.attributes[1], std::make_pair(std::string("a"), std::string("xAy\"")));
    EXPECT_EQ(*root.attribute("c"), "\xE3\x81\x82");
    EXPECT_EQ(root.attribute("d"), nullptr);
    EXPECT_EQ(root.text, "\n \n ");
    ASSERT_EQ(root.children.size(), 3u);
    EXPECT_EQ(root.children[0].text, "  1,2 <3><A");
    EXPECT_EQ(*root.child("data")->attribute("enc"), "csv");
    EXPECT_TRUE(root.child("e")->children.empty());
    EXPECT_EQ(root.child("f")->text, "t");
    EXPECT_EQ(root.child("f")->children[0].name, "g");
}

TEST(LevelXml, BrokenDocumentsFailWithTheirLine) {
    const struct {
        const char* text;
        uint32_t line;
    } cases[] = {
        {"<map>\n<a></b></map>", 2},
        {"<map>\n\n<a x=1/></map>", 3},
        {"<map>", 1},
    };
    for (const auto& c : cases) {
        XmlElement root;
        uint32_t line = 99;
        EXPECT_FALSE(parse(c.text, root, &line)) << c.text;
        EXPECT_EQ(line, c.line) << c.text;
    }
    XmlElement root;
    EXPECT_FALSE(parse("", root));
    auto nested = [](uint32_t depth) {
        std::string s;
        for (uint32_t i = 0; i < depth; ++i) s += "<a>";
        for (uint32_t i = 0; i < depth; ++i) s += "</a>";
        return s;
    };
    EXPECT_TRUE(parse(nested(kXmlMaxDepth), root));
    EXPECT_FALSE(parse(nested(kXmlMaxDepth + 1), root));
}

}  // namespace
}  // namespace tw
