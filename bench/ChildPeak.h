// The peak memory of a piece of work, measured in a child process so that the
// benchmark's own allocations do not count.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace bench {

// The largest resident size of a child that runs `work`, in bytes; 0 when it failed.
inline double ChildPeak(const std::function<bool()>& work) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(work() ? 0 : 1);
    int status = 0;
    struct rusage usage {};
    if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return 0;
    return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

}  // namespace bench
