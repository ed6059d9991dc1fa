#pragma once

// Qt's thread pool hands its tasks to the workers, and tells when they are
// done, under locks that ThreadSanitizer cannot see, because Qt is not built
// with it. Without help it takes data written on one side of such a hand-over
// and read on the other for a race. HandOver, called after the last write,
// and TakeOver, called on the other thread before the first read, tell it of
// the order that the pool keeps; both do nothing in other builds.

#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define VISTRANO_THREAD_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define VISTRANO_THREAD_SANITIZER 1
#endif

#ifdef VISTRANO_THREAD_SANITIZER
extern "C" void __tsan_acquire(void *addr);
extern "C" void __tsan_release(void *addr);
#endif

inline void HandOver([[maybe_unused]] const void *token)
{
#ifdef VISTRANO_THREAD_SANITIZER
    __tsan_release(const_cast<void *>(token));
#endif
}

inline void TakeOver([[maybe_unused]] const void *token)
{
#ifdef VISTRANO_THREAD_SANITIZER
    __tsan_acquire(const_cast<void *>(token));
#endif
}
