#include "common/form_placement.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(KeepOnScreen, MovesAFormBackOntoTheScreen) {
  struct Row {
    int position, size, screen, kept;
  };
  const Row rows[] = {
      {100, 400, 1280, 100},   // fits
      {1000, 400, 1280, 880},  // right edge on the screen's right edge
      {880, 400, 1280, 880},   // exactly at the edge
      {-50, 400, 1280, 0},     // beyond the left edge
      {10, 1500, 1280, 0},     // wider than the screen
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.position);
    EXPECT_EQ(KeepOnScreen(row.position, row.size, row.screen), row.kept);
  }
}

TEST(WindowStateNames, OnlyTheExactNamesCount) {
  EXPECT_EQ(StateFromName("Maximized"), WindowState::kMaximized);
  EXPECT_EQ(StateFromName("Minimized"), WindowState::kMinimized);
  EXPECT_EQ(StateFromName("maximized"), WindowState::kNormal);
  EXPECT_EQ(StateFromName("Normal"), WindowState::kNormal);
  EXPECT_EQ(StateFromName(""), WindowState::kNormal);
  for (WindowState state : {WindowState::kNormal, WindowState::kMinimized, WindowState::kMaximized}) {
    EXPECT_EQ(StateFromName(StateName(state)), state);
  }
}

}  // namespace
}  // namespace quorvel
