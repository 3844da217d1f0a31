#pragma once

#include <sys/resource.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

// Ends the test process with a failure when the test has not finished within a generous time,
// so that code that hangs fails its test instead of stopping the whole run. Not a timing
// measurement: the limit is far above what any test needs, also under the sanitizers.
class Watchdog {
public:
    explicit Watchdog(int seconds = 60)
        : m_thread([this, seconds] {
              std::unique_lock<std::mutex> lock(m_mutex);
              if (!m_wake.wait_for(lock, std::chrono::seconds(seconds),
                                   [this] { return m_done; })) {
                  std::fprintf(stderr, "watchdog: the test did not finish within %d s\n", seconds);
                  std::fflush(stderr);
                  std::_Exit(EXIT_FAILURE);
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::thread m_thread;  // last: starts once the members it uses exist
};

// The most memory the test process has held so far, in MiB.
inline long PeakMemoryMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;  // kilobytes on Linux
}
