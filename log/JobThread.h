#pragma once
// One thread that runs the jobs handed to it, one after another in the order they came.
// Plain std::thread and std::mutex, so that ThreadSanitizer sees every hand-over.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class TJobThread {
public:
    TJobThread()
        : FThread([this] { Run(); })
    {
    }
    // Runs every job handed in so far, then stops.
    ~TJobThread()
    {
        {
            std::lock_guard lock(FMutex);
            FStop = true;
        }
        FWake.notify_all();
        FThread.join();
    }
    TJobThread(const TJobThread&) = delete;
    TJobThread& operator=(const TJobThread&) = delete;

    void Post(std::function<void()> job)
    {
        {
            std::lock_guard lock(FMutex);
            FJobs.push_back(std::move(job));
        }
        FWake.notify_all();
    }

private:
    void Run()
    {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(FMutex);
                FWake.wait(lock, [this] { return FStop || !FJobs.empty(); });
                if (FJobs.empty())
                    return;
                job = std::move(FJobs.front());
                FJobs.pop_front();
            }
            job();
        }
    }

    std::mutex FMutex;
    std::condition_variable FWake;
    std::deque<std::function<void()>> FJobs;
    bool FStop = false;
    std::thread FThread; // last: starts once everything above exists
};
