#include "host/win/module_state.h"

#include <memory>
#include <stdexcept>

#include "host/win/menu_bitmap.h"

namespace quorvel::win {
namespace {

std::unique_ptr<ModuleState> state;

}  // namespace

void CreateModuleState(HINSTANCE instance) {
  auto created = std::make_unique<ModuleState>();
  created->instance = instance;
  created->testMode = ReadTestSwitch();
  created->hostApiBound = BindHostApi(created->hostApi);
  created->menuBitmap = CreateMenuBitmap(instance);
  state = std::move(created);
}

void ReleaseModuleState() {
  state.reset();
}

ModuleState& Module() {
  if (!state) throw std::logic_error("module state used outside the module's lifetime");
  return *state;
}

}  // namespace quorvel::win
