#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

// Runs `work` in a forked child whose files may grow to `limitBytes` at most, with SIGXFSZ
// ignored so an oversized write fails with EFBIG instead of killing it. Returns the child's exit
// code (what `work` returned, 0 to 125), or -1 when the child did not end normally. Forking keeps
// the limit away from the test's own output files.
template<typename Work>
int runUnderFileSizeLimit(rlim_t limitBytes, Work work)
{
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = limitBytes;
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            _exit(126);
        _exit(work());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
