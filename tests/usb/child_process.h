#pragma once
// A program started by a USB test with an environment of the test's making,
// so that it runs over the test's emulated devices.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace usbtest {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

inline std::string pathVariable()
{
    const char* path = std::getenv("PATH");
    return std::string("PATH=") + (path != nullptr ? path : "/usr/bin:/bin");
}

// A program started with exactly the given environment, its standard output
// (and, when `errors` is set, its standard error) going to a pipe, in a
// process group of its own that gets SIGTERM when this test process ends,
// however it ends. It is stopped with SIGTERM (Xvfb then removes its socket)
// and only after five seconds with SIGKILL.
class Child {
public:
    Child(std::vector<std::string> argv, std::vector<std::string> env, bool errors = false)
    {
        const auto pointers = [](std::vector<std::string>& strings) {
            std::vector<char*> out;
            for (std::string& s : strings) out.push_back(s.data());
            out.push_back(nullptr);
            return out;
        };
        auto args = pointers(argv);
        auto envp = pointers(env);
        int fds[2], errFds[2] = {-1, -1};
        if (pipe2(fds, O_CLOEXEC) != 0 || (errors && pipe2(errFds, O_CLOEXEC) != 0))
            throw std::runtime_error("no pipe");
        const pid_t parent = getpid();
        pid_ = fork();
        if (pid_ < 0) throw std::runtime_error("cannot fork");
        if (pid_ == 0) {
            setpgid(0, 0);
            if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent) _exit(127);
            dup2(fds[1], STDOUT_FILENO);
            if (errors) dup2(errFds[1], STDERR_FILENO);
            execvpe(args[0], args.data(), envp.data());
            _exit(127);
        }
        setpgid(pid_, pid_);  // whichever side runs first
        close(fds[1]);
        if (errors) close(errFds[1]);
        out_ = fds[0];
        err_ = errFds[0];
    }
    ~Child()
    {
        stop();
        close(out_);
        if (err_ >= 0) close(err_);
    }

    pid_t pid() const { return pid_; }

    // Its standard output up to its end, or up to the first line end when
    // `line` is set, for at most `limit`.
    std::string output(milliseconds limit, bool line = false) { return drain(out_, limit, line); }
    // Its standard error up to its end, for at most `limit`, when captured.
    std::string errors(milliseconds limit) { return drain(err_, limit, false); }

    // The exit status (128 + signal when killed), or nothing if the child
    // has not ended within `limit`.
    std::optional<int> exitCode(milliseconds limit)
    {
        for (const auto end = Clock::now() + limit; !status_; std::this_thread::sleep_for(20ms)) {
            int status = 0;
            const pid_t r = waitpid(pid_, &status, WNOHANG);
            if (r == pid_) status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            else if (r < 0) status_ = -1;
            else if (Clock::now() > end) break;
        }
        return status_;
    }

    void stop()
    {
        if (exitCode(0ms)) return;
        kill(-pid_, SIGTERM);
        if (exitCode(5s)) return;
        kill(-pid_, SIGKILL);
        exitCode(5s);
    }

private:
    static std::string drain(int fd, milliseconds limit, bool line)
    {
        std::string text;
        pollfd p{fd, POLLIN, 0};
        char c = 0;
        for (const auto end = Clock::now() + limit; fd >= 0 && Clock::now() < end && !(line && c == '\n');) {
            if (poll(&p, 1, 50) <= 0) continue;
            if (read(fd, &c, 1) != 1) break;
            text += c;
        }
        return text;
    }

    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
    std::optional<int> status_;  // once reaped, the pid is never signalled again
};

}  // namespace usbtest
