// Feeds arbitrary bytes, in chunks and with line errors chosen by the input, into the
// receive framer and aborts when any of its promises breaks: nothing is written past the
// buffer, the held count stays inside it, every byte behind the held ones is marked not
// received, and every answer handed on is shorter than 512 bytes and holds no ";".
//
// Input: byte 0 picks the menu item count; then repeated records of one control byte and the
// bytes of one poll. Control bits 0-4: chunk length, bit 5: times 64 (to fill the buffer),
// bits 6-7: the line errors of that poll.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "panelink/link/receive_framer.h"
#include "panelink/menu/menu_defaults.h"
#include "panelink/menu/menu_item.h"
#include "shared/platform/serial_device.h"

namespace {

using panelink::MenuAnswerShape;
using panelink::ReceiveFramer;

void require(bool condition) {
    if (!condition) std::abort();
}

// The shapes of the built-in menu items, computed once.
const std::array<MenuAnswerShape, panelink::kMenuSlotCount>& defaultShapes() {
    static const auto shapes = [] {
        std::array<MenuAnswerShape, panelink::kMenuSlotCount> result{};
        for (int index = 0; index < panelink::kMenuSlotCount; ++index) {
            const panelink::MenuItem item = panelink::defaultMenuItem(index);
            result[static_cast<std::size_t>(index)] = {item.digits,
                                                       item.kind == panelink::kKindText};
        }
        return result;
    }();
    return shapes;
}

constexpr std::array<std::uint32_t, 4> kErrorChoices{
    0,
    platform::kLineErrorFraming,
    platform::kLineErrorBreak,
    platform::kLineErrorReceiveOverflow | platform::kLineErrorFraming,
};

// Checks the marks behind the held bytes up to `end` (the whole buffer at the end of a run;
// after each poll, just past the most bytes ever held, where a removal could have left data).
void checkFramer(const ReceiveFramer& framer, std::size_t end = ReceiveFramer::kBufferSize) {
    require(framer.count() < ReceiveFramer::kBufferSize);
    require(framer.freeSpace() == ReceiveFramer::kBufferSize - framer.count() - 1);
    const std::string_view buffer = framer.buffer();
    require(buffer.size() == ReceiveFramer::kBufferSize);
    end = std::min(end, buffer.size());
    for (std::size_t i = framer.count(); i < end; ++i) {
        require(static_cast<unsigned char>(buffer[i]) == ReceiveFramer::kNotReceived);
    }
    require(!framer.inFrame() || (framer.expectedLength() >= 3 &&
                                  framer.expectedLength() <= ReceiveFramer::kMaxAnswerLength + 1));
}

void checkAnswer(std::string_view answer) {
    require(answer.size() <= ReceiveFramer::kMaxAnswerLength);
    require(answer.find(';') == std::string_view::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const int itemCount = 1 + data[0] % panelink::kMenuItemCount;
    ReceiveFramer framer([itemCount](int number) -> std::optional<MenuAnswerShape> {
        if (number < 1 || number > itemCount) return std::nullopt;
        return defaultShapes()[static_cast<std::size_t>(number)];
    });
    const ReceiveFramer::AnswerHandler deliver = checkAnswer;

    std::size_t position = 1;
    std::size_t mostHeld = 0;
    while (position < size) {
        const std::uint8_t control = data[position++];
        std::size_t chunk = control & 0x1Fu;
        if ((control & 0x20u) != 0) chunk *= 64;
        chunk = std::min(chunk, size - position);
        const std::uint32_t errors = kErrorChoices[control >> 6];

        const std::size_t room = framer.freeSpace();
        const std::string_view bytes(reinterpret_cast<const char*>(data + position), chunk);
        require(framer.append(bytes) == std::min(chunk, room));
        position += chunk;
        mostHeld = std::max(mostHeld, framer.count());
        // An odd chunk is framed as the receive thread does at a wake; an even one by one
        // step, so the buffer also fills up.
        if (chunk % 2 == 1) {
            framer.frameAll(errors, deliver);
        } else {
            framer.step(errors, deliver);
        }
        checkFramer(framer, mostHeld + 1);
    }
    // Polls without new bytes work off what is held.
    for (int poll = 0; poll < 64 && framer.count() > 0; ++poll) {
        framer.step(0, deliver);
        checkFramer(framer, mostHeld + 1);
    }
    checkFramer(framer);
    return 0;
}
