// The panels that draw from the application: console channels, info texts,
// environment tabs and entity colouring.

#include <gtest/gtest.h>

#include <memory>

#include "model/app/application.h"
#include "model/app/environment_lifecycle.h"
#include "model/entity.h"
#include "model/text_metrics.h"
#include "panels/console_channels.h"
#include "panels/entity_colouring.h"
#include "panels/environment_tabs.h"
#include "panels/info_texts.h"
#include "platform/kernel_config.h"

namespace {

// Every byte 7 units wide, lines 14 units high.
class ApplicationPanelTest : public testing::Test {
 protected:
  void SetUp() override {
    g_char_widths.assign(256, 7);
    g_default_line_height = 14;
    add_first_environment(app);
  }
  void TearDown() override {
    g_char_widths.clear();
    g_default_line_height = 0;
  }
  ConsoleState& console() { return *app.current_console; }
  std::vector<std::string> channel(std::int32_t k) {
    const auto at = static_cast<std::size_t>(k);
    return {console().channel_lines[at].begin(),
            console().channel_lines[at].begin() + console().channel_count[at]};
  }

  Entity& add_script(const std::string& path, std::uint32_t vertices) {
    Entity entity = construct_entity();
    entity.parse_report.script_path = path;
    entity.vertex_count = vertices;
    entity.mesh_bytes = 2048;
    entity.run_time_ms = 1500;
    app.current_entity_list->entities.push_back(entity);
    app.current_entity_list->count = static_cast<std::int32_t>(app.current_entity_list->entities.size());
    return app.current_entity_list->entities.back();
  }
  void set_environments(int count) {
    app.environment_tab_names.clear();
    for (int i = 0; i < count; ++i) app.environment_tab_names.push_back("env" + std::to_string(i));
    app.environment_tab_count = count;
  }

  std::unique_ptr<Application> owner = std::make_unique<Application>();
  Application& app = *owner;
};

// One red vertex whose bytes were drawn over.
void give_red_vertex(Mesh& mesh) {
  mesh.vertex_colours = new F64Array{1.0, 0.0, 0.0, 1.0};
  mesh.vertex_colour_bytes = new U8Array{9, 9, 9, 200};
}

// The main log's growth is append_console_line's, tested with the model.
TEST_F(ApplicationPanelTest, TheMainLogStampsOnlyWhenTheTimeServiceIsInstalled) {
  console_log(app, "Parsing: a.plim", true);
  app.platform.time_text = [] { return std::string("12:34:56"); };
  console_log(app, "Parsing: b.plim", true);
  console_log(app, "plain", false);
  EXPECT_EQ(console().lines[0], "Parsing: a.plim");
  EXPECT_EQ(console().lines[1], "12:34:56 | Parsing: b.plim");
  EXPECT_EQ(console().lines[2], "plain");
  EXPECT_EQ(console().widest_line, 26 * 7);
  EXPECT_EQ(console().total_height, 3 * 14);
  EXPECT_EQ(app.text_views[0].label.substr(0, 22), "Parsing: a.plim\n12:34:");
}

TEST_F(ApplicationPanelTest, ChannelCapacityGrowsTo420AndAResetStartsOverAt64) {
  append_console_channel(console(), CHANNEL_ERROR, "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n", "");
  std::string many;
  for (int i = 0; i < 200; ++i) many += "l\n";
  append_console_channel(console(), CHANNEL_ERROR, many, "");
  EXPECT_EQ(console().channel_capacity[CHANNEL_ERROR], 420);
  EXPECT_EQ(console().channel_lines[CHANNEL_ERROR].size(), 420u);

  console_show_kernel_trace(app, many.substr(0, 200));
  EXPECT_EQ(console().channel_capacity[CHANNEL_KERNEL], 128);
  console_show_kernel_trace(app, "short");
  EXPECT_EQ(console().channel_capacity[CHANNEL_KERNEL], 64);
  EXPECT_EQ(console().channel_lines[CHANNEL_KERNEL].size(), 64u);
  EXPECT_EQ(console().channel_widest[CHANNEL_KERNEL], 5 * 7);
}

TEST_F(ApplicationPanelTest, LinesAreSplitKeepingEmptyOnesAndASingleLineTakesThePrefix) {
  append_console_channel(console(), CHANNEL_FILE_IO, "first\n\nthird", "09:00:00");
  EXPECT_EQ(channel(CHANNEL_FILE_IO), (std::vector<std::string>{"first", "", "third"}));
  EXPECT_EQ(console().channel_height[CHANNEL_FILE_IO], 3 * 14);
  append_console_channel(console(), CHANNEL_FILE_IO, "wrote a.obj\n", "09:00:01");
  EXPECT_EQ(channel(CHANNEL_FILE_IO).back(), "09:00:01 | wrote a.obj\n");
}

TEST_F(ApplicationPanelTest, OnlyTheShownChannelUpdatesTheShownFields) {
  console().channel_view_1[CHANNEL_KERNEL] = 0.5;
  append_console_channel(console(), CHANNEL_KERNEL, "", "");
  EXPECT_EQ(console().channel_count[CHANNEL_KERNEL], 0) << "an empty text stores nothing";
  EXPECT_EQ(console().channel_shown_1, 0.5) << "but still mirrors the shown channel";
  append_console_channel(console(), CHANNEL_SCRIPT, "script output", "");
  EXPECT_EQ(console().channel_content_width, 0);
  append_console_channel(console(), CHANNEL_KERNEL, "kernel", "");
  EXPECT_EQ(console().channel_content_width, 6 * 7);
  EXPECT_EQ(console().channel_content_height, 14);
}

TEST_F(ApplicationPanelTest, TheKernelRunReplacesKernelAndScriptAndAppendsTheOthers) {
  g_kernel_output_texts = {"run one\nparsed", "", "saved", "oops"};
  console_show_kernel_run(app);
  g_kernel_output_texts = {"run two", "", "saved again\nand more", ""};
  console_show_kernel_run(app);
  EXPECT_EQ(channel(CHANNEL_KERNEL), (std::vector<std::string>{"run two"}));
  EXPECT_EQ(channel(CHANNEL_SCRIPT), (std::vector<std::string>{}));
  EXPECT_EQ(channel(CHANNEL_FILE_IO), (std::vector<std::string>{"saved", "saved again", "and more"}));
  EXPECT_EQ(channel(CHANNEL_ERROR), (std::vector<std::string>{"oops"}));
  EXPECT_EQ(app.text_views[1].label, "run two");
  g_kernel_output_texts = {};
}

TEST_F(ApplicationPanelTest, EmptyTotalsAndAScriptListNamingScriptsAndDirectories) {
  build_script_list_text(app);
  update_environment_totals(app);
  EXPECT_EQ(app.script_list_text, "(open a brisk-form script file...)");
  EXPECT_EQ(app.mesh_statistics_lines[0], "0 vertices");
  EXPECT_EQ(app.mesh_statistics_lines[3], "extent [ w:0.00,h:0.00,d:0.00 ]");
  EXPECT_EQ(app.mesh_statistics_lines[6], "0.00 seconds (0 ms)");
  EXPECT_EQ(app.mesh_statistics_lines[7], "0.00 MB (0.00 kb | 0 bytes)");

  add_script("/w/a.plim", 1);
  build_script_list_text(app);
  EXPECT_EQ(app.script_list_text, "Script: a.plim in /w/");

  add_script("/w/b.plim", 1);
  add_script("/w/c.plim", 1);
  build_script_list_text(app);
  EXPECT_EQ(app.script_list_text, "3 Scripts: [a.plim, b.plim, c.plim] in /w/");

  add_script("/v/d.plim", 1);
  build_script_list_text(app);
  EXPECT_EQ(app.script_list_text,
            "4 Scripts: [a.plim, b.plim, c.plim, d.plim] in 2 Locations: ['/w/', '/v/']");
}

TEST_F(ApplicationPanelTest, TotalsSumTheEntitiesAndSpanTheirBounds) {
  Entity& first = add_script("/w/a.plim", 1200);
  first.bounds[BOUNDS_MINIMUM][0] = -1.0;
  first.bounds[BOUNDS_MAXIMUM][0] = 1.0;
  Entity& second = add_script("/w/b.plim", 34);
  second.bounds[BOUNDS_MINIMUM][0] = 0.5;
  second.bounds[BOUNDS_MAXIMUM][0] = 3.0;
  update_environment_totals(app);
  EXPECT_EQ(app.totals.vertex_count, 1234u);
  EXPECT_DOUBLE_EQ(app.totals.extent[0], 4.0);
  EXPECT_EQ(app.mesh_statistics_lines[0], "1,234 vertices");
  EXPECT_EQ(app.mesh_statistics_lines[4], "min [ w:-1.00,h:0.00,d:0.00 ]");
  EXPECT_EQ(app.mesh_statistics_lines[6], "3.00 seconds (3000 ms)");
  EXPECT_EQ(app.mesh_statistics_lines[7], "0.00 MB (4.00 kb | 4096 bytes)");
}

TEST_F(ApplicationPanelTest, StatusLineCountsEntitiesAndShowsTheCamera) {
  build_status_line(app);
  EXPECT_EQ(app.status_line_text.rfind("env0 | 0 entities | 720 x 480 | free-roam | eye(-1.00,1.00,3.00)", 0), 0u);
  add_script("/w/a.plim", 1);
  app.camera_mode = CAMERA_FIRST_PERSON;
  app.camera.eye[1] = 9.0;
  build_status_line(app);
  EXPECT_EQ(app.status_line_text.rfind("env0 | 1 entity | 720 x 480 | first-person | eye(-1.00,1.75,3.00)", 0), 0u);
  app.camera_mode = CAMERA_OBJECT_ORBIT;
  build_status_line(app);
  EXPECT_EQ(app.status_line_text, "env0 | 1 entity | 720 x 480 | object-orbit | zoom(400%) | euler(30,30,0)");
}

TEST_F(ApplicationPanelTest, OneTabPerEnvironment64PixelsApartAndAHoverMarker) {
  rebuild_environment_tabs(app);
  ASSERT_EQ(app.environment_tabs.tabs.size(), 1u);
  EXPECT_EQ(app.environment_tabs.tabs[0]->x, 1);
  EXPECT_EQ(app.environment_tabs.strip.content_width, 66);

  set_environments(3);
  app.current_environment_index = 1;
  rebuild_environment_tabs(app);
  ASSERT_EQ(app.environment_tabs.strip.children.size(), 3u);
  EXPECT_EQ(app.environment_tabs.tabs[1]->x, 65);
  EXPECT_EQ(app.environment_tabs.tabs[2]->x, 129);
  EXPECT_EQ(app.environment_tabs.tabs[2]->height, 22);
  EXPECT_EQ(app.environment_tabs.tabs[2]->label, "env2");
  EXPECT_EQ(app.environment_tabs.strip.content_width, 194);
  EXPECT_TRUE(app.environment_tabs.tabs[1]->selected);
  EXPECT_FALSE(app.environment_tabs.tabs[0]->selected);
  const std::pair<int, int> tab_at_x[] = {{1, 0}, {64, 0}, {65, 1}, {129, 2}};
  for (const auto& [x, tab] : tab_at_x) EXPECT_EQ(environment_tab_at(x), tab) << x;

  // The hover marker shows only over another valid tab; 3 is left over from
  // a closed environment.
  const std::pair<int, bool> shown_over[] = {{1, false}, {2, true}, {3, false}};
  for (const auto& [hovered, shown] : shown_over) {
    app.hovered_environment_tab = hovered;
    rebuild_environment_tabs(app);
    EXPECT_EQ(app.environment_tabs.hover_marker.visible, shown) << hovered;
  }
}

TEST_F(ApplicationPanelTest, SchemesFillGreyOrRestoreTheOwnColoursKeepingAlpha) {
  EXPECT_FALSE(needs_colouring(app)) << "the meshes' own colours need no recolouring";
  Mesh mesh;
  give_red_vertex(mesh);
  app.view_settings.colour_mode = COLOUR_SCHEME_DARK;
  apply_colour_function(app, mesh);
  EXPECT_EQ(*mesh.vertex_colour_bytes, (U8Array{63, 63, 63, 200}));
  app.view_settings.colour_mode = COLOUR_SCHEME_VERTEX;
  app.view_settings.colour_inverted = 1;
  EXPECT_TRUE(needs_colouring(app));
  apply_colour_function(app, mesh);
  EXPECT_EQ(*mesh.vertex_colour_bytes, (U8Array{0, 255, 255, 200}));

  // A group colours every member and skips missing ones.
  Entity member = construct_entity();
  member.mesh = &mesh;
  Entity group = construct_entity_as_group(true);
  group.members = {nullptr, &member};
  app.view_settings.colour_mode = COLOUR_SCHEME_LIGHT;
  app.view_settings.colour_inverted = 0;
  colour_entity(app, group);
  EXPECT_EQ(*mesh.vertex_colour_bytes, (U8Array{255, 255, 255, 200}));
}

}  // namespace
