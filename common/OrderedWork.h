#pragma once

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

// Runs make(0), make(1), ... make(count - 1) on worker threads and hands the
// results to one consumer strictly in order, each as soon as it and all
// before it are done. Workers run at most `ahead` items beyond the one taken
// last, so memory stays bounded however many items there are. An error that
// make throws is thrown again by Take for that item. When the object goes
// (after a failure, or a stop), the workers finish the item they are on and
// begin no other.
template <class Result>
class TOrderedWork
{
public:
    // threads: workers, 0 for one per processor core; never more than items.
    TOrderedWork(int count, std::function<Result(int index)> make, int threads = 0, int ahead = 0)
        : m_make(std::move(make)), m_slots(size_t(std::max(0, count)))
    {
        m_workerCount = ThreadsFor(threads, count);
        m_ahead = ahead > 0 ? ahead : 2 * m_workerCount;
        for (int i = 0; i < m_workerCount; ++i) {
            try {
                m_workers.emplace_back([this] { Work(); });
            } catch (const std::system_error &) {
                if (m_workers.empty())
                    throw;
                break;
            }
        }
    }
    ~TOrderedWork()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopped = true;
        }
        m_changed.notify_all();
        for (std::thread &worker : m_workers)
            worker.join();
    }
    TOrderedWork(const TOrderedWork &) = delete;
    TOrderedWork &operator=(const TOrderedWork &) = delete;

    // The workers a request for `threads` gives for `count` items.
    static int ThreadsFor(int threads, int count)
    {
        if (threads <= 0)
            threads = int(std::max(1u, std::thread::hardware_concurrency()));
        return std::clamp(threads, 1, std::max(1, count));
    }
    int Workers() const { return m_workerCount; }

    // The result of item `index`, waiting for it; items are taken in order.
    Result Take(int index)
    {
        std::unique_lock lock(m_mutex);
        Slot &slot = m_slots[size_t(index)];
        m_changed.wait(lock, [&] { return slot.done; });
        m_taken = std::max(m_taken, index + 1);
        std::optional<Result> result = std::move(slot.result);
        const std::exception_ptr error = slot.error;
        slot.result.reset();
        lock.unlock();
        m_changed.notify_all();
        if (error)
            std::rethrow_exception(error);
        return std::move(*result);
    }

private:
    struct Slot
    {
        bool done = false;
        std::optional<Result> result;
        std::exception_ptr error;
    };

    void Work()
    {
        for (;;) {
            int index;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [&] {
                    return m_stopped || m_next >= int(m_slots.size()) || m_next < m_taken + m_ahead;
                });
                if (m_stopped || m_next >= int(m_slots.size()))
                    return;
                index = m_next++;
            }
            std::optional<Result> result;
            std::exception_ptr error;
            try {
                result.emplace(m_make(index));
            } catch (...) {
                error = std::current_exception();
            }
            {
                std::lock_guard lock(m_mutex);
                Slot &slot = m_slots[size_t(index)];
                slot.result = std::move(result);
                slot.error = error;
                slot.done = true;
            }
            m_changed.notify_all();
        }
    }

    std::function<Result(int)> m_make;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Slot> m_slots;
    int m_workerCount = 1;
    int m_ahead = 2;
    int m_next = 0;  // the next item a worker begins
    int m_taken = 0; // items taken so far
    bool m_stopped = false;
    std::vector<std::thread> m_workers;
};
