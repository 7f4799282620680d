#pragma once

#include "runtime/randomgenerator.h"

#include <condition_variable>
#include <mutex>
#include <thread>

// The program's generator behind a gate: while the gate is shut, a draw waits in it. So a test
// can hold a batch in a draw, on the batch's own thread, for as long as it needs.
class GatedGenerator final : public RandomGenerator
{
public:
    explicit GatedGenerator(std::uint64_t seed)
        : m_inner(seed)
    {
    }

    void shut()
    {
        const std::lock_guard lock(m_mutex);
        m_open = false;
    }
    void open()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_open = true;
        }
        m_opened.notify_all();
    }
    // A draw waits at the gate.
    bool held() const
    {
        const std::lock_guard lock(m_mutex);
        return m_held;
    }
    // The thread of the last draw.
    std::thread::id drawingThread() const
    {
        const std::lock_guard lock(m_mutex);
        return m_drawingThread;
    }

    void reinitialise(double seed) override { m_inner.reinitialise(seed); }
    double next(float argument) override
    {
        {
            std::unique_lock lock(m_mutex);
            m_drawingThread = std::this_thread::get_id();
            m_held = !m_open;
            m_opened.wait(lock, [this] { return m_open; });
            m_held = false;
        }
        return m_inner.next(argument);
    }

private:
    MixingGenerator m_inner;
    mutable std::mutex m_mutex;
    std::condition_variable m_opened;
    bool m_open = true;
    bool m_held = false;
    std::thread::id m_drawingThread;
};
