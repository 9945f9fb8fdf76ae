// Scripted clocks and scheduler for the probe tests: every counter and time-stamp read takes
// the next queued sample, and every priority change is logged.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "cpuprobe/probe.h"

namespace pellimor::test {

struct Sample {
  std::uint32_t ticks;
  std::uint32_t cycles;
};

class ScriptedProcessor : public ProcessorSources {
 public:
  bool hasCounter = true;
  std::uint64_t frequency = 10000000;  // 1000 ticks = 100 us
  std::int32_t priority = 0;
  bool affinityWorks = true;
  CpuMask system;
  std::deque<Sample> samples;
  std::vector<std::string> log;  // "counter", "both", "get priority", "set 15", ...

  // Both clocks start just below 2^32, so every script also crosses the wrap-around.
  std::uint32_t now = 0xFFFFF000u;
  std::uint32_t tsc = 0xFFFFFF00u;

  // Queues one pass whose measured interval lasts `ticks` counter ticks and `cycles` cycles.
  void pass(std::uint32_t ticks, std::uint32_t cycles) {
    samples.push_back({now, 0});
    samples.push_back({now + kSyncTicks, tsc});
    samples.push_back({now + kSyncTicks + ticks, tsc + cycles});
    now += kSyncTicks + ticks + 17;
    tsc += cycles + 4321;
  }
  // A 100 us pass (at the default frequency) with a result of `mhz`, plus `extra` cycles.
  void passAt(std::uint32_t mhz, std::uint32_t extra = 0) { pass(1000, mhz * 100 + extra); }

  int passesRun() const {
    int n = 0;
    for (const auto& e : log) n += e == "counter";
    return n;
  }

  bool counterFrequency(std::uint64_t& ticksPerSecond) override {
    log.push_back("frequency");
    ticksPerSecond = frequency;
    return hasCounter;
  }
  std::uint32_t counter() override {
    log.push_back("counter");
    return next().ticks;
  }
  void counterAndTimestamp(std::uint32_t& ticks, std::uint32_t& cycles) override {
    log.push_back("both");
    const Sample s = next();
    ticks = s.ticks;
    cycles = s.cycles;
  }
  std::int32_t threadPriority() override {
    log.push_back("get priority");
    return priority;
  }
  void setThreadPriority(std::int32_t p) override { log.push_back("set " + std::to_string(p)); }
  bool systemAffinity(CpuMask& mask) override {
    mask = system;
    return affinityWorks;
  }

 private:
  Sample next() {
    if (!samples.empty()) {
      const Sample s = samples.front();
      samples.pop_front();
      return s;
    }
    if (!overrun_) ADD_FAILURE() << "read past the end of the script";
    overrun_ = true;
    // Far ahead, so that any waiting loop ends.
    overrunTicks_ += 0x10000000u;
    return {overrunTicks_, 0};
  }
  bool overrun_ = false;
  std::uint32_t overrunTicks_ = 0;
};

}  // namespace pellimor::test
