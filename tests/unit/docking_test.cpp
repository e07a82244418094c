#include "setup/docking.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvel {
namespace {

// The setup dialog's layout: four check boxes and a bevel on top, the button panel at the bottom.
std::vector<DockedControl> SetupLayout() {
  return {{Align::kTop, {0, 0, 0, 17}},    {Align::kTop, {0, 0, 0, 17}}, {Align::kTop, {0, 0, 0, 17}},
          {Align::kTop, {0, 0, 0, 3}},     {Align::kTop, {0, 0, 0, 17}}, {Align::kBottom, {0, 0, 0, 31}},
          {Align::kNone, {8, 109, 73, 25}}};
}

TEST(Dock, TheSetupDialogAtItsDesignedSize) {
  const auto placed = Dock({0, 0, 416, 136}, SetupLayout());
  const std::vector<Bounds> expected = {{0, 0, 416, 17}, {0, 17, 416, 17}, {0, 34, 416, 17},
                                        {0, 51, 416, 3}, {0, 54, 416, 17}, {0, 105, 416, 31},
                                        {8, 109, 73, 25}};
  EXPECT_EQ(placed, expected);
}

TEST(Dock, DockedControlsFollowTheParentsSize) {
  const auto placed = Dock({0, 0, 700, 300}, SetupLayout());
  EXPECT_EQ(placed[0], (Bounds{0, 0, 700, 17}));
  EXPECT_EQ(placed[4], (Bounds{0, 54, 700, 17}));
  EXPECT_EQ(placed[5], (Bounds{0, 269, 700, 31}));
}

TEST(Dock, RightEdgeInsideAPanelAndTooLittleRoom) {
  EXPECT_EQ(Dock({0, 105, 416, 31}, {{Align::kRight, {0, 0, 83, 0}}}),
            (std::vector<Bounds>{{333, 105, 83, 31}}));
  // A parent smaller than the docked controls: each takes what is left, none gets a negative size.
  const auto cramped =
      Dock({0, 0, 50, 20},
           {{Align::kTop, {0, 0, 0, 17}}, {Align::kTop, {0, 0, 0, 17}}, {Align::kBottom, {0, 0, 0, 31}}});
  EXPECT_EQ(cramped, (std::vector<Bounds>{{0, 0, 50, 17}, {0, 17, 50, 3}, {0, 20, 50, 0}}));
}

}  // namespace
}  // namespace quorvel
