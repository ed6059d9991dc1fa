#pragma once

#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

// Runs a list of jobs on worker threads, taken in index order, and hands
// what each job gives back to the owner's thread, so that the window never
// waits for the work: as each job finishes, or strictly in index order.
// Starting a new run, or Stop, ends the running one cleanly: its jobs not
// yet begun never start, and nothing of it is delivered after that, so two
// runs never mix. Window-free.
class TBackgroundJobs : public QObject
{
    Q_OBJECT

public:
    // What a job hands back; it runs on the owner's thread, unless the run
    // was stopped first. May be empty.
    using Delivery = std::function<void()>;
    // Runs on a worker. `stopped` turns true when the run is stopped, so
    // that long work can give up early; the job must not throw.
    using Job = std::function<Delivery(int index, const std::atomic<bool> &stopped)>;
    enum class Order { AsFinished, ByIndex };

    explicit TBackgroundJobs(QObject *parent = nullptr);
    // Stops the run and waits for the workers.
    ~TBackgroundJobs() override;

    void SetThreadCount(int threads);
    int ThreadCount() const { return m_pool.maxThreadCount(); }

    // Starts `count` jobs; returns the run's number, which Finished carries.
    // An empty run finishes inside Start.
    quint64 Start(int count, Job job, Order order = Order::AsFinished);
    void Stop();
    // Blocks until every worker, those of stopped runs too, has returned;
    // what they posted is then waiting in the event queue.
    void WaitForWorkers();
    bool IsRunning() const { return m_running; }
    quint64 Generation() const { return m_generation; }

signals:
    // Every job of the run has been delivered.
    void Finished(quint64 generation);

private:
    struct Run;
    class Worker;
    // What a worker made, waiting for the owner's thread.
    struct Letter
    {
        quint64 generation = 0;
        int index = 0;
        Delivery delivery;
    };
    static void Work(const std::shared_ptr<Run> &run, TBackgroundJobs *owner);
    void Post(Letter letter);
    Q_INVOKABLE void TakeMail();
    void Deliver(quint64 generation, int index, const Delivery &delivery);

    QThreadPool m_pool;
    std::shared_ptr<Run> m_run;
    quint64 m_generation = 0;
    int m_count = 0;
    int m_delivered = 0;
    Order m_order = Order::AsFinished;
    std::map<int, Delivery> m_waiting; // ByIndex: finished before an earlier job
    bool m_running = false;
    std::mutex m_mailLock;
    std::deque<Letter> m_mail;
};
