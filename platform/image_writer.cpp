#include "platform/image_writer.h"

#include "platform/text.h"
#include "platform/trace.h"

#include <png.h>

namespace {

bool fail(const std::string& path, const std::string& reason)
{
    trace_line("Error Writing Image : " + path + " : " + reason + ".");
    return false;
}

} // namespace

bool write_image(const std::string& path, const std::string& format,
                 const std::uint8_t* rgba_pixels, std::int32_t width, std::int32_t height,
                 std::int32_t row_stride)
{
    if (to_lower_text(format) != "png")
        return fail(path, "Unsupported Image Format '" + format + "'");
    if (rgba_pixels == nullptr || width <= 0 || height <= 0 || row_stride / 4 < width)
        return fail(path, "Invalid Image Size");

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    // With 8-bit channels the stride in components is the stride in bytes.
    const int written =
        png_image_write_to_file(&image, path.c_str(), 0, rgba_pixels, row_stride, nullptr);
    const std::string message = image.message;
    png_image_free(&image);
    if (!written) return fail(path, message.empty() ? "Failed To Write File" : message);
    return true;
}
