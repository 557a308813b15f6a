#include "shared/platform/serial_devices.h"

#include <fcntl.h>
#include <grp.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <system_error>

namespace platform {

namespace {

namespace fs = std::filesystem;

struct TtyFamily {
    std::string_view prefix;
    SerialDeviceKind kind;
};

// The order the families are listed in after the by-id links.
constexpr std::array kTtyFamilies{
    TtyFamily{"ttyUSB", SerialDeviceKind::UsbSerial},
    TtyFamily{"ttyACM", SerialDeviceKind::UsbModem},
    TtyFamily{"ttyS", SerialDeviceKind::Builtin},
};

// The number after `prefix` in a name such as "ttyUSB12" or "-if00"; nothing when the rest is
// not all digits.
std::optional<unsigned> ttyNumber(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || name.size() == prefix.size()) return std::nullopt;
    const std::string_view digits = name.substr(prefix.size());
    unsigned number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return number;
}

std::string groupName(gid_t gid) {
    std::array<char, 4096> buffer{};
    group entry{};
    group* found = nullptr;
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return std::to_string(gid);
    return found->gr_name;
}

// Fills what the user may do with the device and who owns it.
void describeAccess(SerialDeviceEntry& entry) {
    entry.mayOpen = ::access(entry.device.c_str(), R_OK | W_OK) == 0;
    struct stat info {};
    if (::stat(entry.device.c_str(), &info) == 0) entry.group = groupName(info.st_gid);
}

// The kernel publishes each UART's type; 0 means no UART answered at that address.
std::optional<bool> publishedUart(const fs::path& root, std::string_view name) {
    std::ifstream in(root / "sys/class/tty" / name / "type");
    int type = -1;
    if (!(in >> type)) return std::nullopt;
    return type != PORT_UNKNOWN;
}

// Asks the driver directly; a device that is not a UART refuses the question.
bool uartAnswers(const fs::path& device) {
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    serial_struct serial{};
    const bool answered = ::ioctl(fd, TIOCGSERIAL, &serial) == 0 && serial.type != PORT_UNKNOWN;
    ::close(fd);
    return answered;
}

bool hasUart(const fs::path& root, const fs::path& device) {
    const std::optional<bool> published = publishedUart(root, device.filename().string());
    return published ? *published : uartAnswers(device);
}

bool isCharacterDevice(const fs::path& path) {
    std::error_code error;
    return fs::is_character_file(path, error);
}

std::vector<SerialDeviceEntry> byIdLinks(const fs::path& root) {
    std::vector<SerialDeviceEntry> found;
    const fs::path dir = root / "dev/serial/by-id";
    std::error_code error;
    for (const fs::directory_entry& link : fs::directory_iterator(dir, error)) {
        std::error_code linkError;
        const fs::path target = fs::read_symlink(link.path(), linkError);
        if (linkError) continue;
        SerialDeviceEntry entry;
        entry.kind = SerialDeviceKind::ById;
        entry.path = link.path();
        entry.device = (target.is_absolute() ? target : dir / target).lexically_normal();
        if (!isCharacterDevice(entry.device)) continue;  // unplugged: the link is stale
        entry.adapterName = adapterNameOfLink(link.path().filename().string());
        found.push_back(std::move(entry));
    }
    std::ranges::sort(found, {}, &SerialDeviceEntry::path);
    return found;
}

std::vector<SerialDeviceEntry> ttyFamily(const fs::path& root, const TtyFamily& family) {
    std::vector<std::pair<unsigned, SerialDeviceEntry>> numbered;
    std::error_code error;
    for (const fs::directory_entry& file : fs::directory_iterator(root / "dev", error)) {
        const std::optional<unsigned> number =
            ttyNumber(file.path().filename().string(), family.prefix);
        if (!number || !isCharacterDevice(file.path())) continue;
        if (family.kind == SerialDeviceKind::Builtin && !hasUart(root, file.path())) continue;
        SerialDeviceEntry entry;
        entry.kind = family.kind;
        entry.path = file.path();
        entry.device = file.path();
        numbered.emplace_back(*number, std::move(entry));
    }
    std::ranges::sort(numbered, {}, &std::pair<unsigned, SerialDeviceEntry>::first);
    std::vector<SerialDeviceEntry> found;
    for (auto& [number, entry] : numbered)
        found.push_back(std::move(entry));
    return found;
}

}  // namespace

std::string adapterNameOfLink(const std::string& linkName) {
    std::string_view name = linkName;
    for (const std::string_view bus : {"usb-", "pci-", "platform-"}) {
        if (name.starts_with(bus)) {
            name.remove_prefix(bus.size());
            break;
        }
    }
    // "-if00-port0", "-if02", "-port0": the interface and port of the adapter, not its name.
    for (const std::string_view part : {"-port", "-if"}) {
        const std::size_t at = name.rfind(part);
        if (at != std::string_view::npos && at > 0 && ttyNumber(name.substr(at), part))
            name = name.substr(0, at);
    }
    std::string readable(name);
    std::ranges::replace(readable, '_', ' ');
    return readable;
}

std::vector<SerialDeviceEntry> findSerialDevices(const fs::path& root) {
    std::vector<SerialDeviceEntry> found = byIdLinks(root);
    for (const TtyFamily& family : kTtyFamilies) {
        std::vector<SerialDeviceEntry> members = ttyFamily(root, family);
        std::ranges::move(members, std::back_inserter(found));
    }
    for (SerialDeviceEntry& entry : found)
        describeAccess(entry);
    return found;
}

}  // namespace platform
