#pragma once
// The setup tool's application object: one per process. It runs at most one modal setup dialog,
// chosen by the command line, or starts the launcher, and then the process ends.

class ConfigApp {
  public:
    // The exit code of a process that ran out of memory, after saying so.
    static constexpr int kExitLackOfMemory = 3;

    // The whole life of a setup process; the answer is the process's exit code, which means
    // nothing to any other part of the system.
    int Run(int argc, const char* const* argv);

  private:
    int RunHoldingTheMutex(int argc, const char* const* argv);
};
