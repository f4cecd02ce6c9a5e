#pragma once
// Hands results of worker jobs to an object that lives on the GUI thread.  Once the receiver
// has detached (first thing in its destructor), nothing more is posted, and what was posted
// before is dropped with it, so a result can never reach an object that is gone.  Results
// wait in a queue of our own and run in the order they were posted; the queued call of the
// receiver's DeliverResults (a Q_INVOKABLE that calls Deliver) only says that there are some.
// Results pass only through the std::mutex here, so that ThreadSanitizer sees the hand-over.

#include <QMetaObject>
#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

class TResultPost {
public:
    explicit TResultPost(QObject* receiver)
        : FReceiver(receiver)
    {
    }

    void Detach()
    {
        std::lock_guard lock(FMutex);
        FReceiver = nullptr;
    }

    // Any thread.  fn runs later on the receiver's thread, unless the receiver detached.
    void Post(std::function<void()> fn)
    {
        std::lock_guard lock(FMutex);
        if (!FReceiver)
            return;
        const bool wake = FPending.empty();
        FPending.push_back(std::move(fn));
        if (wake)
            QMetaObject::invokeMethod(FReceiver, "DeliverResults", Qt::QueuedConnection);
    }

    // The receiver's thread: runs what was posted.
    void Deliver()
    {
        std::deque<std::function<void()>> results;
        {
            std::lock_guard lock(FMutex);
            results.swap(FPending);
        }
        for (auto& fn : results)
            fn();
    }

private:
    std::mutex FMutex;
    QObject* FReceiver;
    std::deque<std::function<void()>> FPending;
};
