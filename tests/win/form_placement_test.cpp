// A form's placement kept in the settings, on real windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/win/dialog_support.h"
#include "common/win/settings_store.h"
#include "in_process_module.h"
#include "plugin_fixture.h"

namespace quorvel::win {
namespace {

class FormPlacement : public ::testing::Test {
 protected:
  void SetUp() override {
    module.emplace(folders.Program(), folders.Data());
    Module().ownFileName = folders.Program() + "Quorvel.dll";
  }
  void TearDown() override {
    for (HWND window : windows)
      DestroyWindow(window);
  }
  HWND Form(bool sizeable, int left = 35, int top = 192, int width = 424, int height = 163) {
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (sizeable ? WS_THICKFRAME : 0);
    const HWND window = CreateWindowExA(0, "STATIC", "form", style, left, top, width, height, nullptr,
                                        nullptr, nullptr, nullptr);
    windows.push_back(window);
    return window;
  }
  static RECT Bounds(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
  }
  static void Store(const char* valueName, int value) {
    WriteSetting("SetupForm", valueName, Variant::Int32(value));
  }
  static std::string Stored(const char* valueName) {
    return ToText(ReadSetting("SetupForm", valueName, Variant()));
  }

  test::PlugInFolders folders;
  std::optional<test::InProcessModule> module;
  std::vector<HWND> windows;
};

TEST_F(FormPlacement, SavingWritesTheNormalPositionSizeAndState) {
  SaveFormPlacement(Form(true, 50, 60, 400, 200), "SetupForm");
  EXPECT_EQ(Stored("Left"), "50");
  EXPECT_EQ(Stored("Top"), "60");
  EXPECT_EQ(Stored("Width"), "400");
  EXPECT_EQ(Stored("Height"), "200");
  EXPECT_EQ(Stored("State"), "Normal");
}

TEST_F(FormPlacement, AFormWithoutASizeableFrameKeepsNoSize) {
  SaveFormPlacement(Form(false, 50, 60, 400, 200), "AboutForm");
  EXPECT_EQ(ToText(ReadSetting("AboutForm", "Left", Variant())), "50");
  EXPECT_TRUE(ReadSetting("AboutForm", "Width", Variant()).IsEmptyOrNull());
}

TEST_F(FormPlacement, LoadingMovesAndSizesTheFormAsStored) {
  Store("Left", 100);
  Store("Top", 120);
  Store("Width", 500);
  Store("Height", 300);
  const HWND form = Form(true);
  LoadFormPlacement(form, "SetupForm");
  const RECT r = Bounds(form);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 120);
  EXPECT_EQ(r.right - r.left, 500);
  EXPECT_EQ(r.bottom - r.top, 300);
}

TEST_F(FormPlacement, LoadingKeepsTheFormOnTheScreen) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  Store("Left", screenWidth + 500);
  Store("Top", -300);
  const HWND form = Form(true);
  LoadFormPlacement(form, "SetupForm");
  RECT r = Bounds(form);
  EXPECT_EQ(r.right, screenWidth) << "right edge on the screen's right edge";
  EXPECT_EQ(r.top, 0);
  Store("Width", screenWidth + 100);
  Store("Height", screenHeight + 100);
  LoadFormPlacement(form, "SetupForm");
  r = Bounds(form);
  EXPECT_EQ(r.left, 0) << "a form larger than the screen starts at its edge";
  EXPECT_EQ(r.top, 0);
}

TEST_F(FormPlacement, StoredStates) {
  struct Row {
    const char* state;
    bool maximized;
  };
  for (const Row& row :
       {Row{"Maximized", true}, Row{"maximized", false}, Row{"Minimized", false}, Row{"Normal", false}}) {
    SCOPED_TRACE(row.state);
    WriteSetting("SetupForm", "State", Variant::String(row.state));
    const HWND form = Form(true);
    EXPECT_EQ(LoadFormPlacement(form, "SetupForm"), row.maximized) << "maximized once shown";
    EXPECT_FALSE(IsZoomed(form)) << "not before";
    EXPECT_FALSE(IsIconic(form)) << "a stored minimized state opens the form normal";
  }
}

TEST_F(FormPlacement, NothingStoredKeepsTheDesignedPlaceAndSize) {
  const HWND form = Form(true);
  LoadFormPlacement(form, "SetupForm");
  const RECT r = Bounds(form);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(form, &placement);
  // The designed place is read as workspace coordinates.
  EXPECT_EQ(placement.rcNormalPosition.left, 35);
  EXPECT_EQ(placement.rcNormalPosition.top, 192);
  EXPECT_EQ(r.right - r.left, 424);
  EXPECT_EQ(r.bottom - r.top, 163);
}

}  // namespace
}  // namespace quorvel::win
