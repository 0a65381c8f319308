// GBK text decoded to UTF-8 together with the byte offset in the GBK text that each UTF-8 byte
// came from, so that positions found in the Unicode form can be cut from the original bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace yc::text {

class Utf8Mapped {
  public:
    explicit Utf8Mapped(std::string_view gbk);

    const std::string& utf8() const { return utf8_; }
    /// The GBK byte offset of the character that UTF-8 offset `pos` belongs to; the end of the
    /// UTF-8 text maps to the end of the GBK text.
    std::size_t gbkOffset(std::size_t pos) const { return identity_ ? pos : offsets_[pos]; }

  private:
    std::string utf8_;
    std::vector<std::uint32_t> offsets_;  // one per UTF-8 byte plus the end; empty when identity_
    bool identity_ = true;                // pure ASCII: both texts are the same bytes
};

}  // namespace yc::text
