#include "platform/services.h"

#include "platform/image_writer.h"
#include "platform/local_time.h"

ClearColour g_clear_colour;

std::string get_clipboard_text()
{
    return std::string();
}

bool set_clipboard_text(const std::string&)
{
    return false;
}

void set_clear_colour(double red, double green, double blue, double alpha)
{
    g_clear_colour = {red, green, blue, alpha};
}

void install_headless_services(PlatformServices& services)
{
    services.write_image = write_image;
    services.date_text = local_date_string;
    services.time_text = local_time_string;
    services.datetime_text = local_datetime_string;
    services.clipboard_read = get_clipboard_text;
    services.clipboard_write = set_clipboard_text;
    services.clear_colour = set_clear_colour;
}
