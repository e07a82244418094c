// The test plug-in's log: one line per event, appended to the file that the log= key names.
#pragma once

#include <string>

namespace testplugin {

// Where lines go (nothing is logged without a path) and the tag put before each.
void SetLog(std::string path, std::string tag);
void Log(const std::string& event);

}  // namespace testplugin
