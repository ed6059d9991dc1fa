#pragma once

#include <QImage>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

// Holds the picture loads of worker threads until the test lets them
// through, so that a test knows how many pictures are done when it acts
// instead of guessing it from the time that has passed. A gate that a
// failing test never opens lets its loads go after a minute, so that the
// test ends instead of hanging; the gate opens when it goes out of scope.
class PictureLoadGate
{
public:
    using Loader = std::function<QImage(const QString &path)>;

    // The first `letThrough` loads pass at once; the others wait.
    explicit PictureLoadGate(int letThrough = 0) : m_state(std::make_shared<State>())
    {
        m_state->allowance = letThrough;
    }
    ~PictureLoadGate() { Open(); }
    PictureLoadGate(const PictureLoadGate &) = delete;
    PictureLoadGate &operator=(const PictureLoadGate &) = delete;

    // A loader that waits at this gate, then runs `load` (by default a plain
    // QImage load). It may outlive the gate.
    Loader Guarded(Loader load = [](const QString &path) { return QImage(path); }) const
    {
        return [state = m_state, load = std::move(load)](const QString &path) {
            {
                std::unique_lock lock(state->mutex);
                ++state->arrived;
                state->changed.notify_all();
                state->changed.wait_for(lock, std::chrono::minutes(1),
                                        [&] { return state->open || state->allowance > 0; });
                if (state->allowance > 0)
                    --state->allowance;
            }
            return load(path);
        };
    }

    // Every load from now on passes, the waiting ones too.
    void Open()
    {
        std::lock_guard lock(m_state->mutex);
        m_state->open = true;
        m_state->changed.notify_all();
    }

    // Loads that have reached the gate so far, passed or waiting.
    int Arrived() const
    {
        std::lock_guard lock(m_state->mutex);
        return m_state->arrived;
    }

private:
    struct State
    {
        std::mutex mutex;
        std::condition_variable changed;
        int allowance = 0;
        int arrived = 0;
        bool open = false;
    };
    std::shared_ptr<State> m_state;
};
