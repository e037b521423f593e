// Starts programs in turn as whole processes, each until its first painted frame, and prints
// the median start-up times, the median peak memory and the ratios of each program to those
// after it. The programs say that they have painted by writing a byte to the descriptor named
// in RETTERUM_FIRST_PAINT_FD; they are then killed, so that nothing of theirs is written.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Run {
    double milliseconds = 0;
    double peakMebibytes = 0;
};

constexpr int kTimeoutMs = 20000;

bool startOnce(const char *program, Run *run)
{
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return false;
    // The child's end must survive exec, under a number the child can't have taken for itself.
    const int childEnd = ::fcntl(pipeFds[1], F_DUPFD, 10);
    ::close(pipeFds[1]);
    const std::string fdText = std::to_string(childEnd);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("RETTERUM_FIRST_PAINT_FD", fdText.c_str(), 1);
        ::execl(program, program, static_cast<char *>(nullptr));
        ::_exit(127);
    }
    ::close(childEnd);
    if (pid < 0) {
        ::close(pipeFds[0]);
        return false;
    }

    pollfd wait{pipeFds[0], POLLIN, 0};
    char byte = 0;
    const bool painted = ::poll(&wait, 1, kTimeoutMs) == 1 && ::read(pipeFds[0], &byte, 1) == 1;
    const auto end = std::chrono::steady_clock::now();
    ::close(pipeFds[0]);

    ::kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    run->milliseconds = std::chrono::duration<double, std::milli>(end - start).count();
    run->peakMebibytes = usage.ru_maxrss / 1024.0;
    if (!painted)
        std::fprintf(stderr, "%s: no frame within %d ms\n", program, kTimeoutMs);
    return painted;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Series {
    std::string name;
    const char *program;
    std::vector<double> milliseconds;
    std::vector<double> peakMebibytes;
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <runs> <name>=<program> <name>=<program>...\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<Series> series;
    for (int i = 2; i < argc; ++i) {
        char *equals = std::strchr(argv[i], '=');
        if (!equals) {
            std::fprintf(stderr, "%s: not <name>=<program>\n", argv[i]);
            return 2;
        }
        series.push_back(Series{std::string(argv[i], size_t(equals - argv[i])), equals + 1, {}, {}});
    }

    // One start of each first, so that all find their files in the page cache.
    for (Series &s : series) {
        Run warmUp;
        if (!startOnce(s.program, &warmUp))
            return 1;
    }
    const size_t n = series.size();
    for (int i = 0; i < runs; ++i) {
        // Interleaved, a different one going first in every round: load on the machine and the
        // order of starts fall on all alike.
        for (size_t k = 0; k < n; ++k) {
            Series &s = series[(i + k) % n];
            Run run;
            if (!startOnce(s.program, &run))
                return 1;
            s.milliseconds.push_back(run.milliseconds);
            s.peakMebibytes.push_back(run.peakMebibytes);
        }
    }

    std::printf("Start until the first painted frame, %d runs each, interleaved; medians:\n", runs);
    std::vector<double> ms, mib;
    for (const Series &s : series) {
        ms.push_back(median(s.milliseconds));
        mib.push_back(median(s.peakMebibytes));
        std::printf("  %-26s %8.1f ms   peak memory %6.1f MiB\n", s.name.c_str(), ms.back(), mib.back());
    }
    std::printf("Ratios:\n");
    for (size_t a = 0; a < n; ++a)
        for (size_t b = a + 1; b < n; ++b) {
            const std::string pair = series[a].name + " / " + series[b].name;
            std::printf("  %-26s %8.2f x                %6.2f x\n", pair.c_str(), ms[a] / ms[b], mib[a] / mib[b]);
        }
    return 0;
}
