#include "model/app/environment_store.h"

#include <gtest/gtest.h>

namespace {

class EnvironmentStoreTest : public testing::Test {
 protected:
  void SetUp() override { g_next_environment_id = 0; }
  EnvironmentStore store;
};

TEST_F(EnvironmentStoreTest, RecordsTakeCountingIdsAndNames) {
  EnvironmentRecord* first = add_environment_record(store);
  EnvironmentRecord* second = add_environment_record(store);
  EXPECT_EQ(first->name, "env0");
  EXPECT_EQ(second->id, 1u);
  EXPECT_EQ(second->name, "env1");
  EXPECT_EQ(second->menu_entry[0], "environment_1");
  EXPECT_EQ(second->menu_entry[1], "(select to switch to environment 1)");
  EXPECT_EQ(store.count, 2);
  EXPECT_EQ(environment_at(store, 1), second);
  EXPECT_EQ(environment_at(store, 2), nullptr);
  EXPECT_EQ(environment_at(store, -1), nullptr);
  const EnvironmentRecord fresh = construct_environment_record();
  EXPECT_TRUE(list_environment_record(store, fresh));
  EXPECT_FALSE(list_environment_record(store, fresh)) << "an id is listed once";
  EXPECT_EQ(store.records.size(), 3u);
}

TEST_F(EnvironmentStoreTest, RemovingKeepsTheOthersInOrderAndInPlace) {
  EnvironmentRecord* a = add_environment_record(store);
  add_environment_record(store);
  EnvironmentRecord* c = add_environment_record(store);
  remove_environment_record(store, 1);
  EXPECT_EQ(store.count, 2);
  ASSERT_EQ(store.order.size(), 2u);
  EXPECT_EQ(store.order[0], a);
  EXPECT_EQ(store.order[1], c);
  EXPECT_EQ(c->name, "env2");
  EXPECT_EQ(store.records.size(), 2u);

  remove_environment_record(store, 5);
  remove_environment_record(store, -1);
  EXPECT_EQ(store.count, 2);
  // Ids are never reused.
  EXPECT_EQ(add_environment_record(store)->name, "env3");
  destroy_environment_store(store);
  EXPECT_EQ(store.count, 0);
  EXPECT_TRUE(store.order.empty());
  EXPECT_TRUE(store.records.empty());
}

}  // namespace
