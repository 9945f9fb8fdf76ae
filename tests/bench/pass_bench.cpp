// The read and write passes over the real Windows stores beside their floor: the platform calls
// one pass makes, recorded once and replayed straight against the API. Prints numbers; asserts
// nothing. Run it with the program folder of a prepared machine as the current directory.
// Usage: pass_bench [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/main_window.h"
#include "pages/catalogue.h"
#include "settings/win32/win32_backend.h"
#include "tests/bench/recorded_calls.h"
#include "tests/bench/replay.h"
#include "varnex/win32/win32_platform.h"

#include "tests/bench/bench_support.h"

namespace {

using varnex::bench::now;

struct Figures {
  double median, best;
};
Figures figures(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return {v[v.size() / 2], v.front()};
}

template <class F>
double timed(F&& f) {
  const double start = now();
  f();
  return now() - start;
}

double ratio(double a, double b) { return b > 0 ? a / b : 0.0; }

// Medians, and the best runs, which a loaded machine disturbs least.
void line(const char* what, const std::vector<double>& pass, const std::vector<double>& floor,
          size_t calls) {
  const Figures p = figures(pass), f = figures(floor);
  std::printf("%-24s %8.2f %8.2f %7.2fx %8.2f %8.2f %7.2fx %6zu\n", what, p.median, f.median,
              ratio(p.median, f.median), p.best, f.best, ratio(p.best, f.best), calls);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  varnex::settings::Win32Backend backend;
  varnex::ui::win32::Win32Platform platform;

  // The timed model talks to the backend directly; a second one, through the recorder, yields
  // the call lists.
  varnex::app::MainWindow plain(platform, backend.apis());
  auto plainCatalogue = varnex::pages::buildCatalogue(plain);
  varnex::bench::Recording recording(backend.apis());
  varnex::app::MainWindow recorded(platform, recording.apis());
  auto recordedCatalogue = varnex::pages::buildCatalogue(recorded);

  // A first read fills the cells and pending values both models then start from; a first write
  // creates what only a first write creates (keys, folders), so that the recorded passes are
  // the steady ones the timed passes repeat.
  plain.BacaData();
  plain.TulisData();
  recorded.BacaData();
  recorded.TulisData();
  recording.clear();
  recorded.BacaData();
  const std::vector<varnex::bench::Call> readCalls = recording.calls();
  recording.clear();
  const bool written = recorded.TulisData();
  const std::vector<varnex::bench::Call> writeCalls = recording.calls();
  const int slots = recording.slots();

  std::vector<double> reads, readFloor, writes, writeFloor;
  bool allWritten = written;
  for (int i = 0; i < runs; ++i) {
    reads.push_back(timed([&] { plain.BacaData(); }));
    readFloor.push_back(timed([&] { varnex::bench::replay(readCalls, slots); }));
    writes.push_back(timed([&] { allWritten = plain.TulisData() && allWritten; }));
    writeFloor.push_back(timed([&] { varnex::bench::replay(writeCalls, slots); }));
  }

  std::printf("%-24s %8s %8s %8s %8s %8s %8s %6s\n", "ms", "median", "floor", "ratio", "best",
              "floor", "ratio", "calls");
  line("read pass (BacaData)", reads, readFloor, readCalls.size());
  line("write pass (TulisData)", writes, writeFloor, writeCalls.size());
  std::printf("(%d runs each; %zu rows read, %zu rows written; floor = the same platform calls "
              "replayed bare)\n",
              runs, plain.readPass().size(), plain.writePass().size());
  if (!allWritten) std::printf("note: a write pass ended with an error\n");
  return 0;
}
