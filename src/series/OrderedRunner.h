// Work on many items with several threads, the results handed on in the
// items' order: item i is worked on by one of `jobs` threads, the calling
// thread among them, and emit(i, result) runs on the calling thread, for i = 0,
// 1, 2 ... as soon as the result of i and of every item before it are there.
// While the next result is not there the calling thread works on an item
// itself instead of waiting for it (one job: no thread is started at all). At
// most `window` results wait at any time (a slow item holds the others back
// rather than letting memory grow), so a million items take the memory of a few.
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

    // With the lock held: the next item, when there is one and room for its result.
    const auto take = [&](std::size_t& i) {
        if (next >= count || failure || next >= emitted + window) return false;
        i = next++;
        return true;
    };
    // Without the lock: works on item i and keeps its result or the failure.
    const auto run = [&](std::size_t i) {
        try {
            Result r = work(i);
            std::lock_guard<std::mutex> lock(mutex);
            ready.emplace(i, std::move(r));
        } catch (...) {
            std::lock_guard<std::mutex> lock(mutex);
            if (!failure) failure = std::current_exception();
        }
        changed.notify_all();
    };
    const auto worker = [&] {
        std::unique_lock<std::mutex> lock(mutex);
        while (true) {
            changed.wait(lock, [&] { return next >= count || failure || next < emitted + window; });
            std::size_t i;
            if (!take(i)) return;
            lock.unlock();
            run(i);
            lock.lock();
        }
    };
    std::vector<std::thread> threads;
    const std::size_t helpers = std::min<std::size_t>(jobs - 1, count);
    threads.reserve(helpers);
    for (std::size_t t = 0; t < helpers; ++t) threads.emplace_back(worker);

    std::unique_lock<std::mutex> lock(mutex);
    while (emitted < count && !failure) {
        if (auto it = ready.find(emitted); it != ready.end()) {
            Result r = std::move(it->second);
            ready.erase(it);
            lock.unlock();
            try {
                emit(emitted, std::move(r));
            } catch (...) {
                lock.lock();
                if (!failure) failure = std::current_exception();
                break;
            }
            lock.lock();
            ++emitted;
            changed.notify_all();  // room in the window
            continue;
        }
        std::size_t i;
        if (take(i)) {
            lock.unlock();
            run(i);
            lock.lock();
            continue;
        }
        changed.wait(lock);  // the next result is being worked on
    }
    lock.unlock();
    changed.notify_all();
    for (std::thread& t : threads) t.join();
    if (failure) std::rethrow_exception(failure);
}

} // namespace zeb
