#include "platform/uri_list.h"

#include <gtest/gtest.h>

using Paths = std::vector<std::string>;

TEST(UriList, SeveralFilesInOrderWithPercentEscapesDecoded)
{
    const std::string list = "file:///home/u/a%20b.plim\r\nfile:///home/u/c.plim\r\n";
    EXPECT_EQ(decode_uri_list(list), (Paths{"/home/u/a b.plim", "/home/u/c.plim"}));
    EXPECT_EQ(decode_uri_list("file:///x/%C3%A9t%c3%a9.plim"), Paths{"/x/\xC3\xA9t\xC3\xA9.plim"});
}

TEST(UriList, AcceptsBareLineFeedsCommentsAndLocalHosts)
{
    const std::string list =
        "# dragged from a file manager\nfile:/a.plim\nfile://localhost/b.plim\n\n";
    EXPECT_EQ(decode_uri_list(list), (Paths{"/a.plim", "/b.plim"}));
}

TEST(UriList, LeavesOutWhatIsNotALocalFile)
{
    const std::string list = "http://example.invalid/a.plim\r\n"
                             "file://otherhost/b.plim\r\n"
                             "file://\r\n"
                             "file:relative.plim\r\n"
                             "file:///bad%00name.plim\r\n"
                             "file:///ok.plim\r\n";
    EXPECT_EQ(decode_uri_list(list), Paths{"/ok.plim"});
    EXPECT_TRUE(decode_uri_list("").empty());
}

TEST(UriList, MalformedEscapesStayLiteralAndBackslashesBecomeSlashes)
{
    EXPECT_EQ(decode_uri_list("file:///100%.plim"), Paths{"/100%.plim"});
    EXPECT_EQ(decode_uri_list("file:///a%zzb%4"), Paths{"/a%zzb%4"});
    EXPECT_EQ(decode_uri_list("file:///dir%5Cname.plim"), Paths{"/dir/name.plim"});
}

TEST(DropText, FileUrlsJoinedByLineFeedsWithNothingAfterTheLast)
{
    EXPECT_EQ(build_drop_text({"/s/a.plim", "/s/b c.plim", "/s/d.plim"}),
              "file:///s/a.plim\nfile:///s/b c.plim\nfile:///s/d.plim");
    EXPECT_EQ(build_drop_text({"/one.plim"}), "file:///one.plim");
    EXPECT_EQ(build_drop_text({}), "");
}
