#include "platform/uri_list.h"

#include <gtest/gtest.h>

using Paths = std::vector<std::string>;

// Local files in order with their escapes decoded; what is not a local file
// is left out, and a malformed escape stays literal.
TEST(UriList, DecodesLocalFilesAndLeavesOutTheRest)
{
    const struct {
        const char* list;
        Paths paths;
    } cases[] = {
        {"file:///home/u/a%20b.plim\r\nfile:///home/u/c.plim\r\n",
         {"/home/u/a b.plim", "/home/u/c.plim"}},
        {"file:///x/%C3%A9t%c3%a9.plim", {"/x/\xC3\xA9t\xC3\xA9.plim"}},
        {"# dragged from a file manager\nfile:/a.plim\nfile://localhost/b.plim\n\n",
         {"/a.plim", "/b.plim"}},
        {"http://example.invalid/a.plim\r\nfile://otherhost/b.plim\r\nfile://\r\n"
         "file:relative.plim\r\nfile:///bad%00name.plim\r\nfile:///ok.plim\r\n",
         {"/ok.plim"}},
        {"", {}},
        {"file:///100%.plim", {"/100%.plim"}},
        {"file:///a%zzb%4", {"/a%zzb%4"}},
        {"file:///dir%5Cname.plim", {"/dir/name.plim"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decode_uri_list(c.list), c.paths) << c.list;
}

TEST(DropText, FileUrlsJoinedByLineFeedsWithNothingAfterTheLast)
{
    EXPECT_EQ(build_drop_text({"/s/a.plim", "/s/b c.plim", "/s/d.plim"}),
              "file:///s/a.plim\nfile:///s/b c.plim\nfile:///s/d.plim");
    EXPECT_EQ(build_drop_text({}), "");
}
