#pragma once
// Timestamps of a program's start-up, for the start-up benchmark (scripts/bench.sh). Only when
// the environment variable TAVRIN_STARTUP_LOG names a file does a step write anything: one line
// appended to that file,
//
//     <start> <end> <name>
//
// both times in microseconds since 1970 on the system clock, the clock the benchmark reads when
// it starts the program. Otherwise a step costs one test of a flag.
//
//     { const StartupStep step("direct3d"); direct3d_.Create(); }
//     StartupMark("first paint");

#include <cstdint>

class StartupStep {
  public:
    explicit StartupStep(const char* name);
    ~StartupStep();
    StartupStep(const StartupStep&) = delete;
    StartupStep& operator=(const StartupStep&) = delete;

  private:
    const char* name_;
    std::int64_t start_;
};

// A step of no length: something that happened at this moment.
void StartupMark(const char* name);
