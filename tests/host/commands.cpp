#include "commands.h"

#include "plugin.h"

namespace b2host {

UINT CommandTable::Register(std::string description, int windowType, CommandCallback callback,
                            PlugIn* owner) {
  UINT id = kFirstId + static_cast<UINT>(commands_.size());
  commands_.push_back({id, std::move(description), windowType, callback, owner,
                       owner ? owner->FileName() : std::wstring(L"(unknown)")});
  return id;
}

const Command* CommandTable::Find(UINT id) const {
  if (id < kFirstId || id - kFirstId >= commands_.size()) return nullptr;
  return &commands_[id - kFirstId];
}

}  // namespace b2host
