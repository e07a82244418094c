// The one guard between the host and the module: no C++ exception gets back into the host.
#pragma once

namespace quorvel::win {

// Runs one piece of the host's work. Whatever it throws ends the work there; the export that called
// it still answers the host with its fixed result.
template <class Work>
void AtHostBoundary(Work&& work) noexcept {
  try {
    work();
  } catch (...) {
  }
}

}  // namespace quorvel::win
