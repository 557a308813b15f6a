#include "panelink/link/receive_framer.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "panelink/cat/answer_table.h"
#include "shared/platform/serial_device.h"

namespace panelink {

namespace {

constexpr char kTerminator = ';';
// "KM" and "ID" answers run to a ";" within this many bytes from their start.
constexpr std::size_t kKeyerStretch = 54;
constexpr std::size_t kIdStretch = 10;
// An "EX" answer's ";" lies within this many bytes from its start.
constexpr std::size_t kMenuStretch = 49;
// "EX", three digits of the menu number, then the value.
constexpr std::size_t kMenuNumberEnd = 5;
constexpr std::size_t kMenuFixedLength = 6;
constexpr std::size_t kLongestFrame = ReceiveFramer::kMaxAnswerLength + 1;

constexpr std::uint32_t kResyncErrors = platform::kLineErrorFraming | platform::kLineErrorBreak;

bool isUpper(unsigned char c) {
    return c >= 'A' && c <= 'Z';
}

bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

// Bytes an "EX", "KM" or "ID" answer may hold before its ";".
bool isAnswerText(unsigned char c) {
    return (c >= 0x20 && c <= 0x5F && c != kTerminator) || c == '{';
}

// Bytes the resynchronisation after a line error accepts as the start of the stream.
bool isResyncStart(unsigned char c) {
    return isUpper(c) || isDigit(c) || c == '?' || c == kTerminator;
}

}  // namespace

ReceiveFramer::ReceiveFramer(MenuShapeLookup menuShape) : menuShape_(std::move(menuShape)) {
    reset();
}

void ReceiveFramer::reset() {
    buffer_.fill(static_cast<char>(kNotReceived));
    count_ = 0;
    letters_.fill('\0');
    expectedLength_ = 0;
    inFrame_ = false;
}

std::size_t ReceiveFramer::freeSpace() const {
    return kBufferSize - count_ - 1;
}

std::size_t ReceiveFramer::append(std::string_view bytes) {
    const std::size_t taken = std::min(bytes.size(), freeSpace());
    if (taken > 0) std::memcpy(buffer_.data() + count_, bytes.data(), taken);
    count_ += taken;
    return taken;
}

std::string_view ReceiveFramer::letters() const {
    const std::size_t length = letters_[0] == '\0' ? 0 : (letters_[1] == '\0' ? 1 : 2);
    return {letters_.data(), length};
}

void ReceiveFramer::step(std::uint32_t lineErrors, const AnswerHandler& deliver) {
    // Whether anything is held is decided by the count alone: a received 0xFF byte is data.
    if (count_ == 0) return;

    if ((lineErrors & kResyncErrors) != 0) resynchronise();

    if (!inFrame_) {
        expectedLength_ = 0;
        switch (searchHeader()) {
            case Header::Waiting:
                return;
            case Header::Failed:
                dropGarbage();
                return;
            case Header::Found:
                inFrame_ = true;
                break;
        }
    }
    if (count_ >= expectedLength_) finishFrame(deliver);
}

void ReceiveFramer::frameAll(std::uint32_t lineErrors, const AnswerHandler& deliver) {
    // Every step that changes something removes held bytes or enters a frame, and a frame is
    // only left by removing bytes, so this ends.
    for (;;) {
        const std::size_t held = count_;
        const bool framing = inFrame_;
        step(std::exchange(lineErrors, 0), deliver);
        if (count_ == held && inFrame_ == framing) return;
    }
}

ReceiveFramer::Header ReceiveFramer::searchHeader() {
    if (count_ < 2) return Header::Failed;
    const unsigned char first = at(0);
    const unsigned char second = at(1);
    if (first == '?' || first == '\0') return Header::Failed;

    Header result = Header::Failed;
    if (first == 'E' && second == 'X') {
        result = searchMenuHeader();
    } else if (first == 'K' && second == 'M') {
        result = searchTerminatedHeader(kKeyerStretch);
    } else if (first == 'I' && second == 'D') {
        result = searchTerminatedHeader(kIdStretch);
    } else if (!isUpper(first) || !isUpper(second)) {
        return Header::Failed;
    } else if (const AnswerRecord* record = findAnswer(buffer_[0], buffer_[1])) {
        expectedLength_ = record->length;
        result = Header::Found;
    } else {
        result = searchUnknownHeader();
    }
    if (result == Header::Found) {
        letters_ = {buffer_[0], buffer_[1], '\0', '\0'};
    } else {
        expectedLength_ = 0;
    }
    return result;
}

ReceiveFramer::Header ReceiveFramer::searchTerminatedHeader(std::size_t stretch) {
    for (std::size_t position = 0; position < stretch; ++position) {
        // The ";" may simply not have arrived yet: wait rather than give up on the answer.
        if (position >= count_) return Header::Waiting;
        const unsigned char c = at(position);
        if (c == kTerminator) {
            expectedLength_ = position + 1;
            return Header::Found;
        }
        if (!isAnswerText(c)) return Header::Failed;
    }
    return Header::Failed;
}

ReceiveFramer::Header ReceiveFramer::searchMenuHeader() {
    int number = 0;
    for (std::size_t position = 2; position < kMenuNumberEnd; ++position) {
        if (position >= count_) return Header::Waiting;
        if (!isDigit(at(position))) return Header::Failed;
        number = number * 10 + (at(position) - '0');
    }
    const Header scan = searchTerminatedHeader(kMenuStretch);
    if (scan != Header::Found) return scan;

    const std::optional<MenuAnswerShape> shape =
        menuShape_ ? menuShape_(number) : std::optional<MenuAnswerShape>{};
    if (!shape || shape->digits < 0) return Header::Failed;
    // A text item runs to the ";" just found; the others have a fixed width.
    if (!shape->text) {
        expectedLength_ = kMenuFixedLength + static_cast<std::size_t>(shape->digits);
    }
    return expectedLength_ <= kLongestFrame ? Header::Found : Header::Failed;
}

ReceiveFramer::Header ReceiveFramer::searchUnknownHeader() {
    // Only a ";" close enough to make an answer that fits a queue slot counts.
    const std::optional<std::size_t> terminator =
        findTerminator(2, std::min(count_, kLongestFrame));
    if (!terminator) return Header::Failed;
    expectedLength_ = *terminator + 1;
    return Header::Found;
}

void ReceiveFramer::finishFrame(const AnswerHandler& deliver) {
    const std::size_t length = expectedLength_;
    inFrame_ = false;
    // Delivered only when the ";" sits exactly at the end: an earlier one means the answer
    // was cut short, and its bytes must not reach the analysis as one answer.
    const std::optional<std::size_t> terminator = findTerminator(0, length);
    if (terminator && *terminator == length - 1) {
        if (deliver) deliver(std::string_view(buffer_.data(), length - 1));
        removeFront(length);
        return;
    }
    const std::optional<std::size_t> first = findTerminator(0, count_);
    removeFront(first ? *first + 1 : count_);
}

void ReceiveFramer::dropGarbage() {
    // Upper-case letters may start an answer; behind them, its printable text. The first byte
    // that cannot belong to an answer goes, with everything before it.
    std::optional<std::size_t> cut;
    for (std::size_t position = 0; position < count_; ++position) {
        const unsigned char c = at(position);
        const bool passed =
            (position < 2 || count_ <= 1) ? isUpper(c) : ((c >= 0x20 && c <= 0x5F) || c == '{');
        if (!passed) {
            cut = position;
            break;
        }
    }
    // The header failed, so the bytes through a held ";" are no answer either; passing over
    // them would stall reception for good.
    const std::optional<std::size_t> terminator = findTerminator(0, cut ? *cut : count_);
    if (terminator) cut = terminator;
    if (cut) {
        removeFront(*cut + 1);
        return;
    }
    // No answer can start where its ";" could no longer fit: keep only the bytes that still
    // can.
    if (count_ > kMaxAnswerLength) removeFront(count_ - kMaxAnswerLength);
}

void ReceiveFramer::resynchronise() {
    std::size_t start = 0;
    while (start < count_ && !isResyncStart(at(start)))
        ++start;
    removeFront(start);
}

void ReceiveFramer::removeFront(std::size_t n) {
    n = std::min(n, count_);
    if (n == 0) return;
    const std::size_t rest = count_ - n;
    std::memmove(buffer_.data(), buffer_.data() + n, rest);
    std::fill(buffer_.begin() + static_cast<std::ptrdiff_t>(rest),
              buffer_.begin() + static_cast<std::ptrdiff_t>(count_),
              static_cast<char>(kNotReceived));
    count_ = rest;
}

std::optional<std::size_t> ReceiveFramer::findTerminator(std::size_t from, std::size_t end) const {
    end = std::min(end, count_);
    for (std::size_t position = from; position < end; ++position) {
        if (buffer_[position] == kTerminator) return position;
    }
    return std::nullopt;
}

}  // namespace panelink
