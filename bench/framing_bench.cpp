// Framing plus parsing throughput: a realistic mix of answers cut from the byte stream by
// ReceiveFramer and decoded by AnswerParser, on one thread, without the port or the threads.
// Printed beside the line it has to keep up with: 38400 baud, 11 bit times per byte.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>

#include "panelink/cat/answer_parser.h"
#include "panelink/cat/menu_setup.h"
#include "panelink/link/receive_framer.h"
#include "panelink/link/sio_recv_thread.h"
#include "panelink/testing/core_rig.h"

namespace {

using namespace panelink;

constexpr double kLineBytesPerSecond = 38400.0 / 11.0;
// What one 5 ms poll finds waiting at 38400 baud.
constexpr std::size_t kBytesPerPoll = 18;

// A connected radio with auto-information on, somebody tuning: mostly meter reports and
// frequency changes, the once-a-second status answers, now and then a mode, a menu item, a
// keyer memory.
constexpr std::array<std::string_view, 24> kAnswerMix{
    "SM0123;", "RM2045;",     "SM0130;",
    "RM2050;", "FA14250000;", "SM0128;",
    "RM2047;", "FA14250050;", "SM0119;",
    "RM2040;", "FA14250100;", "IF00014250100+000000200000;",
    "PS1;",    "AI1;",        "SM0121;",
    "RM2042;", "MD02;",       "FA14250150;",
    "SM0117;", "RM2044;",     "LK0;",
    "EX0151;", "SQ0040;",     "KM1CQ CQ DE TEST TEST K                              ;",
};

static_assert(kAnswerMix.back().size() == 54);

class CountingWindow final : public platform::MainWindowInterface {
  public:
    bool post(const platform::Message&) override {
        ++posts_;
        return true;
    }
    void send(const platform::Message&) override { ++posts_; }
    long posts() const { return posts_; }

  private:
    long posts_ = 0;
};

// The records and services the analysis needs; no threads (posts to workers are dropped).
struct Pipeline : rig::CoreRig<CountingWindow> {
    Pipeline() {
        threads = {};
        buildMenuItemTable(menu, radio);
        endMenuItemBuild(radio);
    }

    AnswerParser parser{services};
    ReceiveFramer framer{menuShapeOf(radio, menu)};
};

std::string mixStream() {
    std::string stream;
    for (std::string_view answer : kAnswerMix)
        stream += answer;
    return stream;
}

// Feeds the stream a poll's worth at a time and frames (and, with a parser, decodes) until
// the framer has nothing more to do. Returns the answers handed on.
template <class Deliver>
long feed(ReceiveFramer& framer, std::string_view stream, Deliver&& deliver) {
    long answers = 0;
    auto onAnswer = [&](std::string_view answer) {
        ++answers;
        deliver(answer);
    };
    for (std::size_t at = 0; at < stream.size(); at += kBytesPerPoll) {
        framer.append(stream.substr(at, kBytesPerPoll));
        for (;;) {
            const std::size_t held = framer.count();
            const long before = answers;
            framer.step(0, onAnswer);
            if (answers == before && framer.count() == held) break;
        }
    }
    return answers;
}

// The bytes of the stream and the answers handed on, per second of the run.
void reportRates(benchmark::State& state, std::size_t streamBytes, long answers) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(streamBytes));
    state.counters["answers"] =
        benchmark::Counter(static_cast<double>(answers), benchmark::Counter::kIsRate);
}

void framingAndParsing(benchmark::State& state) {
    Pipeline pipeline;
    const std::string stream = mixStream();
    long answers = 0;
    for (auto _ : state) {
        answers += feed(pipeline.framer, stream,
                        [&](std::string_view answer) { pipeline.parser.analyse(answer); });
    }
    benchmark::DoNotOptimize(pipeline.window.posts());
    reportRates(state, stream.size(), answers);
}
BENCHMARK(framingAndParsing);

void framingOnly(benchmark::State& state) {
    Pipeline pipeline;
    const std::string stream = mixStream();
    long answers = 0;
    for (auto _ : state) {
        answers += feed(pipeline.framer, stream,
                        [](std::string_view answer) { benchmark::DoNotOptimize(answer.data()); });
    }
    reportRates(state, stream.size(), answers);
}
BENCHMARK(framingOnly);

// Prints the usual table, then each figure against the line.
class LineReporter final : public benchmark::ConsoleReporter {
  public:
    explicit LineReporter(OutputOptions options) : ConsoleReporter(options) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto found = run.counters.find("answers");
            if (run.error_occurred || found == run.counters.end()) continue;
            rates_[run.benchmark_name()] = found->second.value;
        }
    }

    void printSummary() const {
        const std::string stream = mixStream();
        const double answersPerByte =
            static_cast<double>(kAnswerMix.size()) / static_cast<double>(stream.size());
        const double lineAnswers = kLineBytesPerSecond * answersPerByte;
        std::printf("\nAnswer mix: %zu answers in %zu bytes (%.1f bytes per answer).\n",
                    kAnswerMix.size(), stream.size(),
                    static_cast<double>(stream.size()) / static_cast<double>(kAnswerMix.size()));
        std::printf("38400 baud line: %.0f bytes/s = %.0f answers/s of this mix.\n",
                    kLineBytesPerSecond, lineAnswers);
        for (const auto& [name, rate] : rates_) {
            std::printf("%-20s %12.0f answers/s = %8.0f times the line\n", name.c_str(), rate,
                        rate / lineAnswers);
        }
    }

  private:
    std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    LineReporter reporter(::isatty(STDOUT_FILENO) != 0 ? benchmark::ConsoleReporter::OO_ColorTabular
                                                       : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary();
    benchmark::Shutdown();
    return 0;
}
