#include "panelink/core/command_buffer.h"

#include "panelink/core/decimal_field.h"

namespace panelink {

CommandBuffer::CommandBuffer(int length) : length_(length >= 3 && length < kSize ? length : 0) {}

void CommandBuffer::put(int position, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        put(position + static_cast<int>(i), text[i]);
}

void CommandBuffer::put(int position, char byte) {
    if (position >= 0 && position < kSize) bytes_[static_cast<std::size_t>(position)] = byte;
}

void CommandBuffer::putDecimal(int position, int width, std::int64_t value) {
    put(position, decimalField(value, width));
}

std::string CommandBuffer::text() const {
    if (length_ == 0) return {};
    std::string command(bytes_.data(), static_cast<std::size_t>(length_));
    command.back() = ';';
    return command;
}

}  // namespace panelink
