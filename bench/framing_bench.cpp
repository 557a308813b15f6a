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

#include "bench/bench_support.h"
#include "panelink/cat/answer_parser.h"
#include "panelink/cat/menu_setup.h"
#include "panelink/link/receive_framer.h"
#include "panelink/link/sio_recv_thread.h"
#include "panelink/testing/core_rig.h"

namespace {

using namespace panelink;

using bench::kAnswerMix;
using bench::kLineBytesPerSecond;

// Bytes per read: about 5 ms of a 38400 baud line.
constexpr std::size_t kBytesPerRead = 18;

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

// Feeds the stream a read's worth at a time and frames (and, with a parser, decodes) every
// complete answer after each, as the receive thread does. Returns the answers handed on.
template <class Deliver>
long feed(ReceiveFramer& framer, std::string_view stream, Deliver&& deliver) {
    long answers = 0;
    auto onAnswer = [&](std::string_view answer) {
        ++answers;
        deliver(answer);
    };
    for (std::size_t at = 0; at < stream.size(); at += kBytesPerRead) {
        framer.append(stream.substr(at, kBytesPerRead));
        framer.frameAll(0, onAnswer);
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
