#include "common/BackgroundJobs.h"

#include <QThread>

struct TBackgroundJobs::Run
{
    Job job;
    int count = 0;
    quint64 generation = 0;
    std::atomic<int> next{0};
    std::atomic<bool> stopped{false};
};

TBackgroundJobs::TBackgroundJobs(QObject *parent) : QObject(parent)
{
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

TBackgroundJobs::~TBackgroundJobs()
{
    Stop();
    WaitForWorkers();
}

void TBackgroundJobs::SetThreadCount(int threads)
{
    m_pool.setMaxThreadCount(std::max(1, threads));
}

quint64 TBackgroundJobs::Start(int count, Job job, Order order)
{
    Stop();
    auto run = std::make_shared<Run>();
    run->job = std::move(job);
    run->count = std::max(0, count);
    run->generation = ++m_generation;
    m_run = run;
    m_count = run->count;
    m_delivered = 0;
    m_order = order;
    m_waiting.clear();
    m_running = true;
    if (m_count == 0) {
        m_running = false;
        m_run.reset();
        emit Finished(run->generation);
        return run->generation;
    }
    const int workers = std::min(m_pool.maxThreadCount(), m_count);
    for (int i = 0; i < workers; ++i)
        m_pool.start([run, this] { Work(run, this); });
    return run->generation;
}

void TBackgroundJobs::Stop()
{
    if (m_run)
        m_run->stopped = true;
    m_run.reset();
    m_waiting.clear();
    m_running = false;
}

void TBackgroundJobs::WaitForWorkers()
{
    m_pool.waitForDone();
}

void TBackgroundJobs::Work(const std::shared_ptr<Run> &run, TBackgroundJobs *owner)
{
    // Runs on a worker thread; it touches only the run and posts what the
    // jobs give back. The owner outlives the workers (its destructor waits
    // for them), and a posted call to an owner that is gone is dropped.
    for (;;) {
        if (run->stopped)
            return;
        const int index = run->next.fetch_add(1);
        if (index >= run->count)
            return;
        Delivery delivery;
        try {
            delivery = run->job(index, run->stopped);
        } catch (...) {
            delivery = nullptr;
        }
        const quint64 generation = run->generation;
        QMetaObject::invokeMethod(
            owner, [owner, generation, index, delivery] { owner->Deliver(generation, index, delivery); },
            Qt::QueuedConnection);
    }
}

void TBackgroundJobs::Deliver(quint64 generation, int index, const Delivery &delivery)
{
    const auto current = [&] { return m_running && generation == m_generation; };
    if (!current())
        return;
    if (m_order == Order::ByIndex) {
        m_waiting[index] = delivery;
        // Each delivery may stop this run or start another one.
        for (auto next = m_waiting.find(m_delivered); current() && next != m_waiting.end();
             next = m_waiting.find(m_delivered)) {
            const Delivery ready = std::move(next->second);
            m_waiting.erase(next);
            ++m_delivered;
            if (ready)
                ready();
        }
    } else {
        ++m_delivered;
        if (delivery)
            delivery();
    }
    if (current() && m_delivered == m_count) {
        m_running = false;
        m_run.reset();
        emit Finished(generation);
    }
}
