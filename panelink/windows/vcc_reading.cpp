#include "panelink/windows/vcc_reading.h"

#include <cstdio>

#include "panelink/cat/radio_state.h"

namespace panelink {

std::string vccText(std::int32_t tenths) {
    char volts[32];
    std::snprintf(volts, sizeof volts, "%5.1f", tenths * 0.1);
    return std::string("Vcc = ") + volts + " V";
}

void VccReading::onVoltageReported() {
    text_ = vccText(radio_.get(RadioField::VC));
}

}  // namespace panelink
