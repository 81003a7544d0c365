#pragma once
// A fixed crew of threads that run one piece of work together, started once and reused,
// so that handing out work allocates nothing.

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace mnemex::kernels {

class WorkerCrew {
  public:
    // Starts size-1 helper threads (the calling thread is member 0). When the system
    // refuses a thread the crew simply stays smaller.
    explicit WorkerCrew(int size);
    ~WorkerCrew();
    WorkerCrew(const WorkerCrew&) = delete;
    WorkerCrew& operator=(const WorkerCrew&) = delete;

    // Members that take part in Run.
    int Size() const { return static_cast<int>(helpers_.size()) + 1; }

    // Calls work(member) once for every member 0..Size()-1, member 0 on this thread, and
    // returns when all have finished. `work` must not throw.
    template <class Work>
    void Run(Work& work) {
        RunRaw([](void* context, int member) { (*static_cast<Work*>(context))(member); }, &work);
    }

  private:
    void RunRaw(void (*fn)(void*, int), void* context);
    void HelperLoop(int member);

    std::vector<std::thread> helpers_;
    std::mutex mutex_;
    std::condition_variable start_;
    std::condition_variable done_;
    unsigned generation_ = 0;
    int pending_ = 0;
    bool stopping_ = false;
    void (*fn_)(void*, int) = nullptr;
    void* context_ = nullptr;
};

}  // namespace mnemex::kernels
