// A zero-terminated text as the host hands one over, in a heap block that ends with its NUL: under
// AddressSanitizer, any read behind the NUL stops the test.
#pragma once

#include <cstring>
#include <memory>
#include <string_view>

namespace quorvel {

class HostText {
 public:
  explicit HostText(std::string_view text) : size_(text.size()), bytes_(new char[text.size() + 1]) {
    if (size_ > 0) std::memcpy(bytes_.get(), text.data(), size_);
    bytes_[size_] = '\0';
  }

  const char* get() const { return bytes_.get(); }
  // The bytes in front of the final NUL (NULs among them included), as they are now.
  std::string_view Bytes() const { return std::string_view(bytes_.get(), size_); }

 private:
  size_t size_;
  std::unique_ptr<char[]> bytes_;
};

}  // namespace quorvel
