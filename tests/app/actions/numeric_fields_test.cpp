// The settings' number fields: what a typed number does to the setting, the
// field and the slider, and the warning a refused text opens.

#include "app/actions/numeric_fields.h"
#include "platform/number_text.h"
#include "tests/app/actions/edit_fixture.h"

namespace {

using NumericFields = EditFixture;

TEST(NumberReader, RefusesWhatIsNotAFiniteNumberOrDoesNotFitAnInteger)
{
    struct Case {
        const char* text;
        bool real_reads;
        double real;
        bool integer_reads;
        std::int32_t integer;
    };
    const Case cases[] = {
        {"0.5abc", true, 0.5, true, 0},
        {"  7", true, 7.0, true, 7},
        {"0x1F", true, 31.0, true, 31},
        {"010", true, 10.0, true, 8},
        {"-1", true, -1.0, true, -1},
        {"abc", false, 0, false, 0},
        {"", false, 0, false, 0},
        {"nan", false, 0, false, 0},
        {"inf", false, 0, false, 0},
        {"1e999", false, 0, true, 1},
        {"99999999999", true, 99999999999.0, false, 0},
        {"2147483647", true, 2147483647.0, true, 2147483647},
    };
    for (const Case& c : cases) {
        const auto real = read_real_number(c.text);
        const auto integer = read_integer_number(c.text);
        EXPECT_EQ(real.has_value(), c.real_reads) << c.text;
        if (real && c.real_reads) {
            EXPECT_DOUBLE_EQ(*real, c.real) << c.text;
        }
        EXPECT_EQ(integer.has_value(), c.integer_reads) << c.text;
        if (integer && c.integer_reads) {
            EXPECT_EQ(*integer, c.integer) << c.text;
        }
    }
}

TEST_F(NumericFields, SliderFieldsTakeClampOrRefuseTheTypedValue)
{
    struct Case {
        int slider;
        const char* typed;
        const char* field_after;
        const char* saved_text;
        double setting;
        double slider_value;
        bool warned;
    };
    const Case cases[] = {
        {SLIDER_WORLD_SCALE, "abc", "abc", "1.0", 1.0, 0.0, true},
        {SLIDER_WORLD_SCALE, "nan", "nan", "1.0", 1.0, 0.0, true},
        {SLIDER_LIGHT_INTENSITY, "1.5", "1", "1", 1.0, 1.0, false},
        {SLIDER_FIELD_OF_VIEW, "-3", "20", "20", 20.0, 0.0, false},
        {SLIDER_FIELD_OF_VIEW, "90", "90", "90", 90.0, 0.5, false},
        {SLIDER_FIELD_OF_VIEW, "1e999", "1e999", "60", 60.0, 0.0, true},
        {SLIDER_GRADIENT_INTENSITY, "0.25xyz", "0.25xyz", "0.25xyz", 0.25, 0.25, false},
    };
    for (const Case& c : cases) {
        SetUp();
        SliderRow& row = app().slider_rows[static_cast<std::size_t>(c.slider)];
        row.field.set_label(c.typed);
        enter_slider_field(app(), c.slider);
        const ViewSettings& v = app().view_settings;
        const double settings[] = {v.world_scale, v.field_of_view_slider, v.light_intensity,
                                   v.gradient_intensity};
        EXPECT_EQ(row.field.label, c.field_after) << c.typed;
        EXPECT_EQ(app().slider_field_texts[static_cast<std::size_t>(c.slider)], c.saved_text);
        EXPECT_DOUBLE_EQ(settings[c.slider], c.setting) << c.typed;
        if (!c.warned) {
            EXPECT_DOUBLE_EQ(row.slider.value, c.slider_value) << c.typed;
        }
        if (c.slider == SLIDER_FIELD_OF_VIEW) {
            EXPECT_DOUBLE_EQ(app().camera.field_of_view, c.setting);
        }
        EXPECT_EQ(warning().visible != 0, c.warned) << c.typed;
        if (c.warned) {
            EXPECT_EQ(warning().title, "Warning: Invalid Numeric Literal");
            EXPECT_EQ(warning().text, "The character sequence: \"" + std::string(c.typed) +
                                          "\" caused a number parsing error.\n\nNote: the value "
                                          "has not been modified.");
        }
        TearDown();
    }
    SetUp();
}

int g_resizes = 0;
std::int32_t g_resize_to[2] = {0, 0};
std::int32_t record_resize(std::int32_t width, std::int32_t height)
{
    ++g_resizes;
    g_resize_to[0] = width;
    g_resize_to[1] = height;
    return 1;
}

TEST_F(NumericFields, SettingsFieldsAcceptTheirRangeAndWarnWithTheirNote)
{
    struct Case {
        lumo::F Application::*field;
        void (*enter)(Application&);
        const char* typed;
        bool accepted;
        const char* note_start; // of the note after the common text
        const char* field_after;
    };
    const Case cases[] = {
        {&Application::window_width_field, enter_window_width, "800", true, "", "800"},
        {&Application::window_width_field, enter_window_width, "0", false, "Note: the width", "0"},
        {&Application::window_height_field, enter_window_height, "99999999999", false,
         "Note: the height", "99999999999"},
        {&Application::frame_rate_limit_field, enter_frame_rate_limit, "-1", true, "", "-1"},
        {&Application::frame_rate_limit_field, enter_frame_rate_limit, "-2", false,
         "Note: the maximum framerate", "-2"},
        {&Application::frame_rate_limit_field, enter_frame_rate_limit, "0", false,
         "Note: the maximum framerate", "0"},
        {&Application::max_cores_field, enter_max_cores, "9", false, "Note: the max-core", "4"},
        {&Application::max_cores_field, enter_max_cores, "0", false, "Note: the max-core", "4"},
        {&Application::max_cores_field, enter_max_cores, "007", true, "", "7"},
        {&Application::max_cores_field, enter_max_cores, "0x3", true, "", "3"},
        {&Application::eye_height_field, enter_eye_height, "2.5", true, "", "2.5"},
        {&Application::eye_height_field, enter_eye_height, "x", false, "Note: eye-heights", "1.75"},
        {&Application::eye_height_field, enter_eye_height, "inf", false, "Note: eye-heights",
         "1.75"},
    };
    for (const Case& c : cases) {
        SetUp();
        g_resizes = 0;
        app().platform.resize_client_area = record_resize;
        lumo::F& field = app().*c.field;
        field.set_label(c.typed);
        c.enter(app());
        EXPECT_EQ(warning().visible == 0, c.accepted) << c.typed;
        EXPECT_EQ(field.label, c.field_after) << c.typed;
        if (!c.accepted) {
            const std::string common = invalid_number_text(c.typed, "");
            EXPECT_EQ(warning().text.rfind(common + "\n\n" + c.note_start, 0), 0u) << c.typed;
            EXPECT_EQ(g_resizes, 0);
        }
        TearDown();
    }
    SetUp();
}

TEST_F(NumericFields, AcceptedEntriesReachTheirSettings)
{
    app().platform.resize_client_area = record_resize;
    app().window_height_field.set_label("600");
    enter_window_height(app());
    EXPECT_EQ(g_resize_to[0], 720);
    EXPECT_EQ(g_resize_to[1], 600);
    app().frame_rate_limit_field.set_label("30");
    enter_frame_rate_limit(app());
    app().max_cores_field.set_label("3");
    enter_max_cores(app());
    EXPECT_EQ(app().view_settings.frame_rate_limit, 30);
    EXPECT_EQ(app().view_settings.max_cores, 3);
    app().camera_mode = CAMERA_FIRST_PERSON;
    app().camera.eye[1] = 1.75;
    app().camera.target[1] = 1.75;
    app().eye_height_field.set_label("2");
    enter_eye_height(app());
    EXPECT_DOUBLE_EQ(app().view_settings.eye_height, 2.0);
    EXPECT_DOUBLE_EQ(app().camera.eye[1], 2.0);
    EXPECT_DOUBLE_EQ(app().camera.target[1], 2.0);
}

TEST_F(NumericFields, SliderReadOutsAndCancelShowTheCurrentValues)
{
    move_setting_slider(app(), SLIDER_FIELD_OF_VIEW, 0.5);
    EXPECT_EQ(app().slider_rows[1].field.label, "90");
    EXPECT_DOUBLE_EQ(app().camera.field_of_view, 90.0);
    move_setting_slider(app(), SLIDER_FIELD_OF_VIEW, 0.999);
    EXPECT_EQ(app().slider_rows[1].field.label, "159");
    EXPECT_NEAR(app().view_settings.field_of_view_slider, 159.86, 1e-9);
    move_setting_slider(app(), SLIDER_WORLD_SCALE, 1.0 / 3.0);
    EXPECT_EQ(app().slider_rows[0].field.label, "0.33");
    EXPECT_EQ(app().slider_field_texts[0], "0.33");
    EXPECT_DOUBLE_EQ(app().view_settings.world_scale, 1.0 / 3.0);

    app().slider_rows[0].field.set_label("abc");
    cancel_slider_field(app(), SLIDER_WORLD_SCALE);
    EXPECT_EQ(app().slider_rows[0].field.label, "0.33");
    app().max_cores_field.set_label("abc");
    cancel_max_cores(app());
    EXPECT_EQ(app().max_cores_field.label, "4");
    EXPECT_EQ(app().max_cores_field.cursor, 1);
}

} // namespace
