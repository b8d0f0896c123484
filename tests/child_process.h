// Children of test processes (a save that might hang, a load under an address-space limit): what they
// report on a pipe, and how they ended.
#pragma once

#include <string>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

struct TChildEnd {
    int ExitCode = -1; // the child's exit status, or minus the signal that ended it (SIGALRM: it hung)
    std::string Output;
};

// Reads what the child writes to `readEnd` until every writer has closed it, then waits for the child.
inline TChildEnd CollectChild(pid_t pid, int readEnd) {
    TChildEnd end;
    char buffer[4096];
    for (ssize_t n; (n = read(readEnd, buffer, sizeof buffer)) > 0;)
        end.Output.append(buffer, static_cast<size_t>(n));
    close(readEnd);
    int status = 0;
    waitpid(pid, &status, 0);
    end.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    return end;
}
