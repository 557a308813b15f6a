// Control lines: what people type on standard input or send over the control socket.
#include <termios.h>

#include "tools/orvik-sim/param_pattern.h"
#include "tools/orvik-sim/simulator.h"

namespace orviksim {

namespace {

constexpr std::string_view kDefaultJunk = "\\xFE\\xFF#*x";

// The first word of `line` and the text after it, both without surrounding blanks.
std::pair<std::string_view, std::string_view> splitWord(std::string_view line) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && isBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back()))
        line.remove_suffix(1);
    std::size_t end = 0;
    while (end < line.size() && !isBlank(line[end]))
        ++end;
    auto rest = line.substr(end);
    while (!rest.empty() && isBlank(rest.front()))
        rest.remove_prefix(1);
    return {line.substr(0, end), rest};
}

std::optional<bool> onOff(std::string_view word) {
    if (word == "on" || word == "1") return true;
    if (word == "off" || word == "0") return false;
    return std::nullopt;
}

std::string ok() {
    return "ok";
}
std::string error(std::string_view why) {
    return "error: " + std::string(why);
}

}  // namespace

std::string Simulator::helpText() {
    return R"(Control lines (standard input, or the control socket: socat - UNIX-CONNECT:PATH):
  send TEXT          send TEXT to the program as it is (\xHH for any byte), past all faults
  set KEY VALUE      change the radio's state, e.g. "set FA 14250000", "set mode 3",
                     "set SQ0 120", "set EX021 15", "set KM1 CQ TEST", "set ID 0246";
                     KEY is an answer key (letters plus selector), "mode" or "freq";
                     auto-information reports the change
  get KEY            the answer a read of KEY gives, e.g. "get IF"
  meter N            meter reading 0..255 (S meter and the selected meter)
  power on|off       switch the radio on or off (off: it only answers "PS;")
  ai on|off          auto-information reporting on or off
  wander on|off      the radio changes frequency, mode and meter by itself every second
  model NNNN         the number "ID;" answers with (0244; 0247 is not supported)
  baud N|auto        pacing speed; auto follows the speed the program set (else 4800)
  split on [MS]|off  send every answer and report in two pieces, MS ms apart
  junk [TEXT]        send TEXT (\xHH allowed) in front of the next answer or report
  drop N             send no answer to the next N commands
  silence MS|on|off  no answers and no reports, for MS ms or until "silence off"
  unplug [dangling]  close the terminal: the program's port hangs up; the link is
                     removed, or left pointing nowhere with "dangling"
  replug             a new terminal behind the same link and ComPorts.csv line
  transcript         every command received, with ms since start
  status             port, state and faults in a few lines
  help               this text
  quit               end the simulator)";
}

std::string Simulator::control(std::string_view line) {
    std::string reply;
    {
        std::lock_guard lock(stateMutex_);
        reply = runControl(line);
    }
    wake();
    return reply;
}

std::string Simulator::runControl(std::string_view line) {
    const auto [command, rest] = splitWord(line);
    const auto [first, second] = splitWord(rest);
    if (command.empty()) return "";
    if (command == "help") return helpText();
    if (command == "send") {
        if (rest.empty()) return error("send what?");
        if (!slaveOpen_) return error("nobody has the port open");
        enqueueRaw(unescape(rest), Duration::zero());
        return ok();
    }
    if (command == "set") {
        if (first.empty() || second.empty()) return error("set KEY VALUE");
        std::vector<std::string> reports;
        std::string why;
        if (!model_.set(first, second, reports, &why)) return error(why);
        emitAll(reports);
        return ok();
    }
    if (command == "get") {
        const auto answer = model_.answerFor(first);
        return answer ? printable(*answer) : error("unknown key");
    }
    if (command == "meter") {
        const auto value = parseInteger(first);
        if (!value || *value < 0 || *value > 255) return error("meter 0..255");
        model_.setMeter(static_cast<int>(*value));
        emitAll(model_.meterReports());
        return ok();
    }
    if (command == "power" || command == "ai" || command == "wander") {
        const auto on = onOff(first);
        if (!on) return error(std::string(command) + " on|off");
        if (command == "power") model_.setPower(*on);
        if (command == "ai") model_.setAutoInformation(*on);
        if (command == "wander") wander_ = *on;
        return ok();
    }
    if (command == "model") return model_.setModel(first) ? ok() : error("model is four digits");
    if (command == "baud") {
        if (first == "auto") {
            options_.baud = 0;
            return ok();
        }
        const auto baud = parseInteger(first);
        if (!baud || *baud < 300 || *baud > 115200) return error("baud 300..115200 or auto");
        options_.baud = static_cast<int>(*baud);
        return ok();
    }
    if (command == "split") {
        const auto on = onOff(first);
        if (!on) return error("split on [MS] | off");
        auto pause = FaultPlan::kDefaultSplitPause;
        if (!second.empty()) {
            const auto ms = parseInteger(second);
            if (!ms || *ms <= 0 || *ms > 10000) return error("split pause 1..10000 ms");
            pause = Milliseconds{*ms};
        }
        faults_.setSplit(*on, pause);
        return ok();
    }
    if (command == "junk") {
        faults_.addJunk(unescape(rest.empty() ? kDefaultJunk : rest));
        return ok();
    }
    if (command == "drop") {
        const auto count = parseInteger(first);
        if (!count || *count < 0 || *count > 100000) return error("drop N");
        faults_.dropAnswers(static_cast<int>(*count));
        return ok();
    }
    if (command == "silence") {
        if (const auto on = onOff(first)) {
            *on ? faults_.silenceOn() : faults_.silenceOff();
            return ok();
        }
        const auto ms = parseInteger(first);
        if (!ms || *ms <= 0 || *ms > 3'600'000) return error("silence MS|on|off");
        faults_.silenceUntil(now() + Milliseconds{*ms});
        return ok();
    }
    if (command == "unplug") {
        if (!terminal_) return error("already unplugged");
        closeTerminal(first == "dangling");
        return ok();
    }
    if (command == "replug") {
        closeTerminal(false);
        std::string why;
        return openTerminal(&why) ? ok() + " " + slavePath() : error(why);
    }
    if (command == "transcript") {
        std::string text = transcriptText();
        if (!text.empty() && text.back() == '\n') text.pop_back();
        return text.empty() ? "(no commands yet)" : text;
    }
    if (command == "status") {
        std::string text = "port " + (terminal_ ? slavePath() : std::string("(unplugged)"));
        if (!options_.linkPath.empty()) text += ", link " + options_.linkPath;
        text += slaveOpen_ ? ", held by the program" : ", not held";
        text += "\nline " + std::to_string(lineBaud_.load()) + " baud" +
                (options_.baud > 0 ? " (fixed)" : " (follows the program)");
        text += "\npower ";
        text += model_.powerOn() ? "on" : "off";
        text += ", auto-information ";
        text += model_.autoInformation() ? "on" : "off";
        text += ", wander ";
        text += wander_ ? "on" : "off";
        text += ", meter " + std::to_string(model_.meter());
        text += "\n" + faults_.describe(now());
        return text;
    }
    if (command == "quit" || command == "exit") {
        {
            std::lock_guard lock(quitMutex_);
            quit_ = true;
        }
        quitChanged_.notify_all();
        return "bye";
    }
    return error("unknown command, try help");
}

}  // namespace orviksim
