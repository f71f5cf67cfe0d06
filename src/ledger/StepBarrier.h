// Threads that work in steps: they start together once their work is shared out, and meet at
// the end of each step, where the last to arrive runs the step's completion. Made of a mutex and
// a condition variable alone: the standard library's barrier and latch of the Windows builds
// wait forever now and then (their waiting has no support from that system).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <utility>

namespace sg {

template <typename Completion> class StepBarrier {
  public:
    StepBarrier(int count, Completion completion)
        : count_(count), completion_(std::move(completion)) {}

    void ArriveAndWait() {
        std::unique_lock lock(mutex_);
        std::uint64_t step = step_;
        if (++arrived_ < count_) {
            stepEnded_.wait(lock, [&] { return step_ != step; });
            return;
        }
        completion_();
        arrived_ = 0;
        ++step_;
        lock.unlock();
        stepEnded_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable stepEnded_;
    const int count_;
    int arrived_ = 0;
    std::uint64_t step_ = 0;
    Completion completion_;
};

class StartSignal {
  public:
    void Give() {
        {
            std::lock_guard lock(mutex_);
            given_ = true;
        }
        signalled_.notify_all();
    }
    void Wait() {
        std::unique_lock lock(mutex_);
        signalled_.wait(lock, [this] { return given_; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable signalled_;
    bool given_ = false;
};

} // namespace sg
