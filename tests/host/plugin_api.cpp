#include "plugin_api.h"

namespace b2host {

const char* ExportName(Export e) {
  static const char* const kNames[] = {
      "BKC_OnStart",      "BKC_OnExit",     "BKC_OnMenuInit",       "BKC_OnOpenCompose",
      "BKC_OnOutgoing",   "BKC_OnRetrieve", "BKC_OnFinishRetrieve", "BKC_OnPlugInSetup",
      "BKC_OnPlugInInfo", "NeverPrecede",   "NeverFollow",
  };
  static_assert(sizeof kNames / sizeof kNames[0] == static_cast<size_t>(Export::kCount));
  return kNames[static_cast<size_t>(e)];
}

}  // namespace b2host
