#pragma once

#include <functional>

// Splits 0..count-1 into `parts` consecutive ranges of nearly equal size and
// runs work(begin, end) for each, the last range on the calling thread and
// the others on threads of their own; returns when all are done. Where a
// thread cannot be started its range runs on the calling thread. The work
// must not throw.
void RunInParallel(int parts, int count, const std::function<void(int, int)> &work);
