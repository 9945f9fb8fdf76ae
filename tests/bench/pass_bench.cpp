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

namespace {

double now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

template <class F>
double timed(F&& f) {
  const double start = now();
  f();
  return now() - start;
}

void line(const char* what, double pass, double floor, size_t calls) {
  std::printf("%-26s %10.2f %10.2f %8.2fx %8zu\n", what, pass, floor, floor > 0 ? pass / floor : 0.0,
              calls);
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

  // A first read fills the cells and pending values both models then start from.
  plain.BacaData();
  recorded.BacaData();
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

  std::printf("%-26s %10s %10s %9s %8s\n", "ms, median of runs", "pass", "floor", "ratio", "calls");
  line("read pass (BacaData)", median(reads), median(readFloor), readCalls.size());
  line("write pass (TulisData)", median(writes), median(writeFloor), writeCalls.size());
  std::printf("(%d runs each; %zu rows read, %zu rows written; floor = the same platform calls "
              "replayed bare)\n",
              runs, plain.readPass().size(), plain.writePass().size());
  if (!allWritten) std::printf("note: a write pass ended with an error\n");
  return 0;
}
