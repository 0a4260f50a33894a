#include "platform/image_writer.h"
#include "platform/local_time.h"
#include "platform/services.h"

#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <vector>

#include "test_support.h"

namespace {

std::tm make_time(int year, int month, int day, int hour, int minute, int second)
{
    std::tm when{};
    when.tm_year = year - 1900;
    when.tm_mon = month - 1;
    when.tm_mday = day;
    when.tm_hour = hour;
    when.tm_min = minute;
    when.tm_sec = second;
    return when;
}

} // namespace

TEST(LocalTime, FixedTwoDigitFieldsPlainYearAndTheShapesOfTheCurrentTexts)
{
    const std::tm when = make_time(2024, 3, 5, 9, 5, 7);
    EXPECT_EQ(date_text_of(when), "2024-03-05");
    EXPECT_EQ(time_text_of(when), "09:05:07");
    EXPECT_EQ(datetime_text_of(when), "20240305090507");
    EXPECT_EQ(datetime_text_of(make_time(1999, 12, 31, 23, 59, 59)), "19991231235959");
    const std::string date = local_date_string();
    const std::string time = local_time_string();
    const std::string stamp = local_datetime_string();
    EXPECT_TRUE(date.size() == 10 && date[4] == '-' && date[7] == '-') << date;
    EXPECT_TRUE(time.size() == 8 && time[2] == ':' && time[5] == ':') << time;
    EXPECT_EQ(stamp.size(), 14u);
    EXPECT_EQ(stamp.find_first_not_of("0123456789"), std::string::npos) << stamp;
}

// Without a window there is no clipboard: a copy reports failure.
TEST(HeadlessServices, ClipboardCopyFailsAndClearColourIsKept)
{
    EXPECT_EQ(get_clipboard_text(), "");
    EXPECT_FALSE(set_clipboard_text("report"));
    set_clear_colour(0.1, 0.2, 0.3, 0.4);
    EXPECT_EQ(g_clear_colour.red, 0.1);
    EXPECT_EQ(g_clear_colour.alpha, 0.4);
}

TEST(WriteImage, PngReadsBackWithTheSameSizeAndPixels)
{
    const int width = 5;
    const int height = 3;
    const int stride = width * 4 + 12; // padded rows must not leak into the image
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride * height), 0xEE);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 4; ++x)
            pixels[static_cast<std::size_t>(y * stride + x)] =
                static_cast<std::uint8_t>(y * 61 + x * 7);
    const ScratchDir scratch;
    const std::string path = scratch.path("snapshot.png");
    ASSERT_TRUE(write_image(path, "png", pixels.data(), width, height, stride));

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    image.format = PNG_FORMAT_RGBA;
    EXPECT_EQ(image.width, static_cast<png_uint_32>(width));
    EXPECT_EQ(image.height, static_cast<png_uint_32>(height));
    std::vector<std::uint8_t> read_back(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, read_back.data(), 0, nullptr));
    std::vector<std::uint8_t> unpadded;
    for (int y = 0; y < height; ++y)
        unpadded.insert(unpadded.end(), pixels.begin() + y * stride,
                        pixels.begin() + y * stride + width * 4);
    EXPECT_EQ(read_back, unpadded);
}

TEST(WriteImage, FailuresReturnFalseWithOneTraceLine)
{
    const std::vector<std::uint8_t> pixels(16, 0);
    {
        TraceCapture trace;
        EXPECT_FALSE(write_image("/nonexistent/dir/shot.png", "png", pixels.data(), 2, 2, 8));
        EXPECT_EQ(trace.text().rfind("Error Writing Image : /nonexistent/dir/shot.png : ", 0), 0u);
        EXPECT_EQ(trace.text().back(), '\n');
    }
    const ScratchDir scratch;
    const std::string path = scratch.path("bad.png");
    TraceCapture trace;
    EXPECT_FALSE(write_image(path, "bmp", pixels.data(), 2, 2, 8));
    EXPECT_FALSE(write_image(path, "png", pixels.data(), 2, 2, 4));
    EXPECT_FALSE(write_image(path, "png", pixels.data(), 0, 2, 8));
    EXPECT_FALSE(write_image(path, "png", nullptr, 2, 2, 8));
    EXPECT_FALSE(std::filesystem::exists(path));
    const std::string lines = trace.text();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 4) << lines;
}
