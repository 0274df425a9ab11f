// The preview page's writer: data that cannot break out of its script or markup, findings placed by line spans,
// airspaces without geometry, the same bytes whatever the stream's buffer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/Streams.h"
#include "preview/PageText.h"
#include "preview/PageWriter.h"

namespace {

std::string Feature(const std::string& name, const std::string& geometry) {
  return R"({"type":"Feature","properties":{"name":)" + JsonString(name) +
         R"(,"class":"R","type":null,"floor":"GND","ceiling":"FL65","line":1,"label":null},"geometry":)" + geometry +
         "}";
}
const std::string Square = R"({"type":"Polygon","coordinates":[[[6,45],[7,45],[7,46],[6,45]]]})";

struct TAirspace {
  std::string Feature;
  TLineSpan Lines;
  std::optional<TGeographicPoint> Place;
};

std::string Page(const std::vector<TAirspace>& airspaces, const std::vector<TPageFinding>& findings = {},
                 std::string_view title = "in.txt", std::string_view tiles = {},
                 std::size_t bufferSize = TStream::DefaultBufferSize) {
  TMemoryStream stream("", bufferSize);
  TPageWriter writer(stream, title, tiles);
  for (const TAirspace& airspace : airspaces) writer.Add(airspace.Feature, airspace.Lines, airspace.Place);
  writer.Finish(findings);
  stream.Flush();
  return stream.Data();
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(PageTextTest, JsonStringsAndHtmlText) {
  EXPECT_EQ(JsonString("a\"b\\c\n\t\x01<\xE2\x80\xA8\xE2\x80\xA9\xE2\x80\x93"),
            "\"a\\\"b\\\\c\\n\\t\\u0001\\u003c\\u2028\\u2029\xE2\x80\x93\"");
  EXPECT_EQ(HtmlText("<a href=\"x\">&'"), "&lt;a href=&quot;x&quot;&gt;&amp;&#39;");
}

TEST(PageTextTest, ScriptSafeChangesOnlyLessThanAndLineSeparators) {
  for (const std::size_t bufferSize : {std::size_t{1}, std::size_t{7}, TStream::DefaultBufferSize}) {
    TMemoryStream stream("", bufferSize);
    WriteScriptSafe(stream, "{\"a\":\"</script><!--\xE2\x80\xA8\xE2\x80\x93\xE2\x80\xA9\xE2\"}");
    stream.Flush();
    EXPECT_EQ(stream.Data(), "{\"a\":\"\\u003c/script>\\u003c!--\\u2028\xE2\x80\x93\\u2029\xE2\"}") << bufferSize;
  }
}

// Whatever the names, the page has its own script ends and markup only.
TEST(PageWriterTest, DataCannotEndItsScript) {
  const std::string empty = Page({});
  const std::string page =
      Page({{Feature("</script><script>alert(1)</script>", Square), {1, 5}, std::nullopt}},
           {{3, true, "bad </script> here"}}, "<b>&.txt", "https://t.example/{z}/{x}/{y}.png?a=</");
  EXPECT_EQ(Count(page, "</script>"), Count(empty, "</script>"));
  EXPECT_EQ(Count(page, "<script>"), Count(empty, "<script>"));
  EXPECT_NE(page.find("\\u003c/script>\\u003cscript>alert(1)"), std::string::npos);
  EXPECT_NE(page.find("&lt;b&gt;&amp;.txt"), std::string::npos);
  EXPECT_EQ(page.find("<b>&.txt"), std::string::npos);
  EXPECT_NE(page.find("\"https://t.example/{z}/{x}/{y}.png?a=\\u003c/\""), std::string::npos);
  EXPECT_NE(empty.find("tiles: null"), std::string::npos);
  EXPECT_NE(page.rfind("</html>"), std::string::npos);
}

// A finding goes to the place of the airspace whose lines hold it; line 0, a
// line between airspaces and an airspace without place leave it unplaced.
TEST(PageWriterTest, FindingsPlacedBySpans) {
  const std::string page =
      Page({{Feature("A", Square), {10, 20}, TGeographicPoint(45.5, 6.25)},
            {Feature("B", "null"), {21, 30}, std::nullopt},
            {Feature("C", Square), {40, 50}, TGeographicPoint(-33.125, -70.5)}},
           {{0, false, "file"}, {10, true, "a"}, {25, false, "b"}, {35, false, "gap"}, {50, false, "c"}});
  for (const char* finding : {
           R"({"line":0,"error":false,"text":"file","airspace":null,"at":null})",
           R"({"line":10,"error":true,"text":"a","airspace":0,"at":[45.500000,6.250000]})",
           R"({"line":25,"error":false,"text":"b","airspace":1,"at":null})",
           R"({"line":35,"error":false,"text":"gap","airspace":null,"at":null})",
           R"({"line":50,"error":false,"text":"c","airspace":2,"at":[-33.125000,-70.500000]})",
       })
    EXPECT_NE(page.find(finding), std::string::npos) << finding;
  // The airspace without geometry is there as given, for the list.
  EXPECT_NE(page.find(Feature("B", "null")), std::string::npos);
}

TEST(PageWriterTest, SameBytesWhateverTheBuffer) {
  const std::vector<TAirspace> airspaces = {{Feature("A\xE2\x80\xA8<", Square), {1, 2}, TGeographicPoint(1, 2)}};
  const std::string page = Page(airspaces, {{1, false, "x"}});
  EXPECT_NE(page.find("'tarnel-airspace'"), std::string::npos);
  for (const std::size_t bufferSize : {std::size_t{1}, std::size_t{4096}})
    EXPECT_EQ(Page(airspaces, {{1, false, "x"}}, "in.txt", {}, bufferSize), page) << bufferSize;
}

}  // namespace
