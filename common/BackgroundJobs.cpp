#include "common/BackgroundJobs.h"
#include "common/ThreadHandover.h"

#include <QRunnable>
#include <QThread>

#include <vector>

namespace {

// Where the owner's thread hands the pool's tasks over.
const char kPoolHandover = 0;

} // namespace

struct TBackgroundJobs::Run
{
    Job job;
    int count = 0;
    quint64 generation = 0;
    std::atomic<int> next{0};
    std::atomic<bool> stopped{false};
};

class TBackgroundJobs::Worker : public QRunnable
{
public:
    Worker(std::shared_ptr<Run> run, TBackgroundJobs *owner) : m_run(std::move(run)), m_owner(owner) {}
    void run() override
    {
        TakeOver(&kPoolHandover);
        Work(m_run, m_owner);
        // What the worker did is the owner's once WaitForWorkers returns.
        HandOver(m_owner);
    }

private:
    std::shared_ptr<Run> m_run;
    TBackgroundJobs *m_owner;
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
    std::vector<Worker *> workers(size_t(std::min(m_pool.maxThreadCount(), m_count)));
    for (Worker *&worker : workers)
        worker = new Worker(run, this);
    HandOver(&kPoolHandover);
    for (Worker *worker : workers)
        m_pool.start(worker);
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
    TakeOver(this);
}

void TBackgroundJobs::Work(const std::shared_ptr<Run> &run, TBackgroundJobs *owner)
{
    // Runs on a worker thread; it touches only the run and the owner's
    // mailbox. The owner outlives the workers (its destructor waits for
    // them).
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
        owner->Post({run->generation, index, std::move(delivery)});
    }
}

void TBackgroundJobs::Post(Letter letter)
{
    // The letter goes through a mailbox under a lock of our own, and the
    // queued call that empties it carries no data: so everything that
    // passes from the worker to the owner's thread is ordered by a lock
    // that ThreadSanitizer sees.
    {
        std::lock_guard lock(m_mailLock);
        m_mail.push_back(std::move(letter));
    }
    QMetaObject::invokeMethod(this, "TakeMail", Qt::QueuedConnection);
}

void TBackgroundJobs::TakeMail()
{
    for (;;) {
        Letter letter;
        {
            std::lock_guard lock(m_mailLock);
            if (m_mail.empty())
                return;
            letter = std::move(m_mail.front());
            m_mail.pop_front();
        }
        Deliver(letter.generation, letter.index, letter.delivery);
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
