#include "imaging/ParallelRanges.h"

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

void RunInParallel(int parts, int count, const std::function<void(int, int)> &work)
{
    parts = std::clamp(parts, 1, std::max(1, count));
    std::vector<std::thread> threads;
    threads.reserve(size_t(parts));
    auto begin = [&](int part) { return int(int64_t(count) * part / parts); };
    for (int part = 0; part + 1 < parts; ++part) {
        try {
            threads.emplace_back(work, begin(part), begin(part + 1));
        } catch (const std::system_error &) {
            work(begin(part), begin(part + 1));
        }
    }
    work(begin(parts - 1), count);
    for (std::thread &thread : threads)
        thread.join();
}
