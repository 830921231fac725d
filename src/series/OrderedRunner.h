// Work on many items with several threads, the results handed on in the
// items' order: item i is worked on by one of `jobs` threads, and emit(i,
// result) runs on the calling thread, for i = 0, 1, 2 ... as soon as the
// result of i and of every item before it are there. At most `window` results
// wait at any time (a slow item holds the others back rather than letting
// memory grow), so a million items take the memory of a few.
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace zeb {

template <class Result>
void RunOrdered(std::size_t count, unsigned jobs, const std::function<Result(std::size_t)>& work,
                const std::function<void(std::size_t, Result&&)>& emit, std::size_t window = 0) {
    jobs = std::max(1u, jobs);
    if (window == 0) window = 4 * static_cast<std::size_t>(jobs);
    std::mutex mutex;
    std::condition_variable changed;
    std::map<std::size_t, Result> ready;
    std::size_t next = 0;     // the next item to take
    std::size_t emitted = 0;  // items handed on
    std::exception_ptr failure;

    auto worker = [&] {
        while (true) {
            std::size_t i;
            {
                std::unique_lock<std::mutex> lock(mutex);
                changed.wait(lock, [&] { return next >= count || failure || next < emitted + window; });
                if (next >= count || failure) return;
                i = next++;
            }
            try {
                Result r = work(i);
                std::lock_guard<std::mutex> lock(mutex);
                ready.emplace(i, std::move(r));
            } catch (...) {
                std::lock_guard<std::mutex> lock(mutex);
                if (!failure) failure = std::current_exception();
            }
            changed.notify_all();
        }
    };
    std::vector<std::thread> threads;
    const unsigned started = static_cast<unsigned>(std::min<std::size_t>(jobs, std::max<std::size_t>(count, 1)));
    threads.reserve(started);
    for (unsigned t = 0; t < started; ++t) threads.emplace_back(worker);

    std::exception_ptr emitFailure;
    while (emitted < count) {
        Result r;
        {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [&] { return failure || ready.count(emitted) != 0; });
            if (failure) break;
            auto it = ready.find(emitted);
            r = std::move(it->second);
            ready.erase(it);
        }
        try {
            emit(emitted, std::move(r));
        } catch (...) {
            emitFailure = std::current_exception();
            std::lock_guard<std::mutex> lock(mutex);
            failure = emitFailure;
        }
        {
            std::lock_guard<std::mutex> lock(mutex);
            ++emitted;
        }
        changed.notify_all();
        if (emitFailure) break;
    }
    changed.notify_all();
    for (std::thread& t : threads) t.join();
    if (failure) std::rethrow_exception(failure);
}

} // namespace zeb
