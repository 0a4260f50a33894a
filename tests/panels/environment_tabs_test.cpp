#include "panels/environment_tabs.h"

#include <gtest/gtest.h>

#include <memory>

#include "model/app/application.h"

namespace {

class EnvironmentTabsTest : public testing::Test {
 protected:
  void set_environments(int count) {
    app.environment_tab_names.clear();
    for (int i = 0; i < count; ++i) app.environment_tab_names.push_back("env" + std::to_string(i));
    app.environment_tab_count = count;
  }
  std::unique_ptr<Application> owner = std::make_unique<Application>();
  Application& app = *owner;
};

TEST_F(EnvironmentTabsTest, OneTabPerEnvironment64PixelsApart) {
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
}

TEST_F(EnvironmentTabsTest, HoverMarkerOnlyOverAnotherValidTab) {
  set_environments(2);
  app.hovered_environment_tab = 0;
  rebuild_environment_tabs(app);
  EXPECT_FALSE(app.environment_tabs.hover_marker.visible);
  app.hovered_environment_tab = 1;
  rebuild_environment_tabs(app);
  EXPECT_TRUE(app.environment_tabs.hover_marker.visible);
  app.hovered_environment_tab = 2;  // left over from a closed environment
  rebuild_environment_tabs(app);
  EXPECT_FALSE(app.environment_tabs.hover_marker.visible);
}

TEST(EnvironmentTabAt, UsesTheTabGeometry) {
  EXPECT_EQ(environment_tab_at(1), 0);
  EXPECT_EQ(environment_tab_at(64), 0);
  EXPECT_EQ(environment_tab_at(65), 1);
  EXPECT_EQ(environment_tab_at(129), 2);
}

}  // namespace
