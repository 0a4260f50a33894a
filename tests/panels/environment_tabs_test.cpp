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
  const std::pair<int, int> tab_at_x[] = {{1, 0}, {64, 0}, {65, 1}, {129, 2}};
  for (const auto& [x, tab] : tab_at_x) EXPECT_EQ(environment_tab_at(x), tab) << x;
}

TEST_F(EnvironmentTabsTest, HoverMarkerOnlyOverAnotherValidTab) {
  set_environments(2);
  // Tab 0 is the current one; tab 2 is left over from a closed environment.
  const std::pair<int, bool> shown_over[] = {{0, false}, {1, true}, {2, false}};
  for (const auto& [hovered, shown] : shown_over) {
    app.hovered_environment_tab = hovered;
    rebuild_environment_tabs(app);
    EXPECT_EQ(app.environment_tabs.hover_marker.visible, shown) << hovered;
  }
}

}  // namespace
