#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cpuprobe/probe.h"
#include "tests/cpuprobe/scripted_processor.h"

namespace pellimor::test {
namespace {

// ---- When the passes stop, judged by their results in MHz (100 us passes).

struct StopCase {
  const char* name;
  std::vector<std::uint32_t> results;  // exactly the passes the measurement must make
  std::int32_t mhz;
};

class CpuSpeedStops : public ::testing::TestWithParam<StopCase> {};

TEST_P(CpuSpeedStops, MakesExactlyTheScriptedPassesAndAveragesThemAll) {
  const StopCase& c = GetParam();
  ScriptedProcessor cpu;
  for (std::uint32_t r : c.results) cpu.passAt(r);
  EXPECT_EQ(cpuSpeed(cpu), c.mhz);
  EXPECT_EQ(cpu.passesRun(), static_cast<int>(c.results.size()));
  EXPECT_TRUE(cpu.samples.empty()) << "stopped before the last scripted pass";
}

std::vector<std::uint32_t> alternating(int n) {
  std::vector<std::uint32_t> v;
  for (int i = 0; i < n; ++i) v.push_back(i % 2 ? 500 : 400);
  return v;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CpuSpeedStops,
    ::testing::Values(
        // Each within 1 MHz of the mean 400.33.
        StopCase{"AgreeAfterThree", {400, 401, 400}, 400},
        // |3*404 - 1206| = 6: go on; the fourth pass is judged with 402, 404, 403.
        StopCase{"SpreadOfFourGoesOn", {400, 402, 404, 403}, 402},
        // The window slides: 402 404 401 and 404 401 402 fail, 401 402 401 agrees. The total
        // 401.67 differs from the last three's 401.33: all passes count.
        StopCase{"WindowSlides", {400, 402, 404, 401, 402, 401}, 402},
        // The first two passes are never judged (a zero "previous result" would agree at 1).
        StopCase{"FirstTwoNeverJudged", {1, 1, 1}, 1},
        // Never agreeing: 20 passes, the average of all twenty (the last three give 467).
        StopCase{"CappedAtTwenty", alternating(20), 450}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- A pass result rounds up only above half a microsecond's worth of cycles.

struct HalfCase {
  const char* name;
  std::uint32_t ticks;  // of the first pass
  std::uint32_t cycles;
  int passes;  // 3 when the first pass rounds to 401, 4 when it stays 400
};

class CpuSpeedPassRounding : public ::testing::TestWithParam<HalfCase> {};

TEST_P(CpuSpeedPassRounding, DecidesWhetherTheFirstPassAgreesWith402) {
  const HalfCase& c = GetParam();
  ScriptedProcessor cpu;
  cpu.pass(c.ticks, c.cycles);
  cpu.passAt(402);
  cpu.passAt(402);
  if (c.passes == 4) cpu.passAt(402);
  cpuSpeed(cpu);
  EXPECT_EQ(cpu.passesRun(), c.passes);
  EXPECT_TRUE(cpu.samples.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CpuSpeedPassRounding,
    ::testing::Values(HalfCase{"ExactHalfStays", 1000, 40050, 4},   // 50 of 100 us
                      HalfCase{"AboveHalfRounds", 1000, 40051, 3},  // 51 of 100
                      HalfCase{"OddHalfStays", 1010, 40450, 4},     // 50 of 101 (half is 50)
                      HalfCase{"OddAboveHalfRounds", 1010, 40451, 3}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- The result: tenths of 6 or more round up; a tenths digit of 5 rounds up only when the
// hundredths are 6 or more.

struct RoundCase {
  const char* name;
  std::uint32_t totalCycles;  // over three 100 us passes
  std::int32_t mhz;
};

class CpuSpeedRounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(CpuSpeedRounding, RoundsTheTotalsOfAllPasses) {
  const RoundCase& c = GetParam();
  ScriptedProcessor cpu;
  const std::uint32_t third = c.totalCycles / 3;
  cpu.pass(1000, third);
  cpu.pass(1000, third);
  cpu.pass(1000, c.totalCycles - 2 * third);
  EXPECT_EQ(cpuSpeed(cpu), c.mhz);
}

INSTANTIATE_TEST_SUITE_P(Cases, CpuSpeedRounding,
                         ::testing::Values(RoundCase{"Point50", 135150, 450},
                                           RoundCase{"Point55", 135165, 450},
                                           RoundCase{"Point56", 135168, 451},
                                           RoundCase{"Point59", 135177, 451},
                                           RoundCase{"Point60", 135180, 451},
                                           RoundCase{"Point96CarriesIntoTenths", 135288, 451},
                                           RoundCase{"Point45", 135135, 450}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Counting on the right reads.

TEST(CpuSpeed, TimesFromTheCounterEdgeThatEndsTheWaitWithTheStampTakenRightAfterIt) {
  ScriptedProcessor cpu;
  for (int pass = 0; pass < 3; ++pass) {
    const std::uint32_t t = cpu.now;
    const std::uint32_t s = cpu.tsc;
    cpu.samples.push_back({t, 0});  // start
    // Waiting for 50 ticks: the reads below the edge carry wrong stamps.
    cpu.samples.push_back({t + 10, s - 999999});
    cpu.samples.push_back({t + 49, s - 555555});
    cpu.samples.push_back({t + 63, s});  // the edge: the interval starts here
    // Measuring 1000 ticks from the edge, not from the start read.
    cpu.samples.push_back({t + 63 + 999, s + 777777});
    cpu.samples.push_back({t + 63 + 1000, s + 40000});
    cpu.now += 5000;
    cpu.tsc += 100000;
  }
  EXPECT_EQ(cpuSpeed(cpu), 400);
  EXPECT_TRUE(cpu.samples.empty());
}

TEST(CpuSpeed, RaisesThePriorityAroundEachPassAndRestoresIt) {
  ScriptedProcessor cpu;
  cpu.priority = 2;
  for (int i = 0; i < 3; ++i) cpu.passAt(300);
  EXPECT_EQ(cpuSpeed(cpu), 300);
  const std::vector<std::string> onePass = {"counter", "get priority", "set 15", "both",
                                            "both",    "set 2"};
  std::vector<std::string> expected = {"frequency"};
  for (int i = 0; i < 3; ++i) expected.insert(expected.end(), onePass.begin(), onePass.end());
  EXPECT_EQ(cpu.log, expected);
}

TEST(CpuSpeed, LeavesAPriorityItCannotReadAlone) {
  ScriptedProcessor cpu;
  cpu.priority = kPriorityError;
  for (int i = 0; i < 3; ++i) cpu.passAt(300);
  EXPECT_EQ(cpuSpeed(cpu), 300);
  for (const auto& e : cpu.log) EXPECT_NE(e.rfind("set", 0), 0u) << e;
}

// ---- No usable counter: 0 at once, with no pass made and the priority untouched.

struct NoCounterCase {
  const char* name;
  bool hasCounter;
  std::uint64_t frequency;
};

class CpuSpeedWithoutCounter : public ::testing::TestWithParam<NoCounterCase> {};

TEST_P(CpuSpeedWithoutCounter, ReturnsZeroWithoutMeasuring) {
  ScriptedProcessor cpu;
  cpu.hasCounter = GetParam().hasCounter;
  cpu.frequency = GetParam().frequency;
  EXPECT_EQ(cpuSpeed(cpu), 0);
  EXPECT_EQ(cpu.log, std::vector<std::string>{"frequency"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CpuSpeedWithoutCounter,
    ::testing::Values(NoCounterCase{"QueryFails", false, 10000000},
                      // Tenths of the frequency would be 0.
                      NoCounterCase{"BelowTenPerSecond", true, 9},
                      // A 1000-tick pass would be 0 us.
                      NoCounterCase{"AboveOneGigahertz", true, 1000000010},
                      // Its low 32 bits alone look like an ordinary 10 MHz counter.
                      NoCounterCase{"Above32Bits", true, (std::uint64_t{1} << 32) + 10000000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CpuSpeed, MeasuresWithTheFastestCounterThatStillGivesAMicrosecondPerPass) {
  ScriptedProcessor cpu;
  cpu.frequency = 1000000009;  // tenths 100000000: 1000 ticks = 1 us
  for (int i = 0; i < 3; ++i) cpu.pass(1000, 2445);
  EXPECT_EQ(cpuSpeed(cpu), 2445);
}

// ---- Where 32-bit products overflow.

TEST(CpuSpeed, MeasuresLongPassesAndLargeCycleTotals) {
  // 0.4 s passes at 3 GHz: ticks * 100000 and the cycle total * 10 both pass 2^32.
  ScriptedProcessor cpu;
  for (int i = 0; i < 3; ++i) cpu.pass(4000000, 1200000000u + 150000u);
  EXPECT_EQ(cpuSpeed(cpu), 3000);  // 3000.375
}

TEST(CpuSpeed, MeasuresTheCycleTotalsOfTwentyLongPasses) {
  // 20 passes alternating 2000 / 3000 MHz over 1 s each: 50e9 cycles in all.
  ScriptedProcessor cpu;
  for (int i = 0; i < 20; ++i) cpu.pass(10000000, i % 2 ? 3000000000u : 2000000000u);
  EXPECT_EQ(cpuSpeed(cpu), 2500);
  EXPECT_EQ(cpu.passesRun(), 20);
}

// ---- EnumCPU

struct MaskCase {
  const char* name;
  std::vector<unsigned> cpus;
  std::int32_t count;
};

class EnumCpuCounts : public ::testing::TestWithParam<MaskCase> {};

TEST_P(EnumCpuCounts, CountsTheSystemMask) {
  ScriptedProcessor cpu;
  for (unsigned n : GetParam().cpus) cpu.system.set(n);
  EXPECT_EQ(enumCpu(cpu), GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnumCpuCounts,
    ::testing::Values(MaskCase{"Holes", {0, 1, 3}, 3}, MaskCase{"Empty", {}, 0},
                      MaskCase{"Full32", {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                          11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                                          22, 23, 24, 25, 26, 27, 28, 29, 30, 31},
                               32},
                      MaskCase{"BeyondOneWord", {0, 63, 64, 1023}, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EnumCpu, CountsTheRunningProcessorWhenTheMaskCannotBeRead) {
  ScriptedProcessor cpu;
  cpu.affinityWorks = false;
  cpu.system.set(0);
  cpu.system.set(1);
  EXPECT_EQ(enumCpu(cpu), 1);
}

}  // namespace
}  // namespace pellimor::test
