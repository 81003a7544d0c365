#include "core/kernels/WorkerCrew.h"

#include <system_error>

namespace mnemex::kernels {

WorkerCrew::WorkerCrew(int size) {
    for (int member = 1; member < size; ++member) {
        try {
            helpers_.emplace_back([this, member] { HelperLoop(member); });
        } catch (const std::system_error&) {
            break;
        }
    }
}

WorkerCrew::~WorkerCrew() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    start_.notify_all();
    for (std::thread& t : helpers_)
        t.join();
}

void WorkerCrew::RunRaw(void (*fn)(void*, int), void* context) {
    if (helpers_.empty()) {
        fn(context, 0);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        fn_ = fn;
        context_ = context;
        pending_ = static_cast<int>(helpers_.size());
        ++generation_;
    }
    start_.notify_all();
    fn(context, 0);
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return pending_ == 0; });
}

void WorkerCrew::HelperLoop(int member) {
    unsigned seen = 0;
    for (;;) {
        void (*fn)(void*, int) = nullptr;
        void* context = nullptr;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            start_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_)
                return;
            seen = generation_;
            fn = fn_;
            context = context_;
        }
        fn(context, member);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            --pending_;
        }
        done_.notify_one();
    }
}

}  // namespace mnemex::kernels
