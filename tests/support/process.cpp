#include "support/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <stdexcept>
#include <string_view>
#include <system_error>

extern char** environ;

namespace zil::test {
namespace {

void Check(int rc, const char* what) {
  if (rc != 0) throw std::system_error(rc == -1 ? errno : rc, std::generic_category(), what);
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& input,
                         const std::vector<std::string>& environment) {
  // A child that exits before reading all its input must not kill the test with SIGPIPE.
  signal(SIGPIPE, SIG_IGN);
  std::array<int, 2> in{}, out{}, err{};
  Check(pipe2(in.data(), O_CLOEXEC), "pipe");
  Check(pipe2(out.data(), O_CLOEXEC), "pipe");
  Check(pipe2(err.data(), O_CLOEXEC), "pipe");

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);

  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  std::vector<char*> env;
  for (const std::string& e : environment) env.push_back(const_cast<char*>(e.c_str()));
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string_view entry(*e);
    const auto name = entry.substr(0, entry.find('=') + 1);
    bool overridden = false;
    for (const std::string& mine : environment) overridden = overridden || mine.rfind(name, 0) == 0;
    if (!overridden) env.push_back(*e);
  }
  env.push_back(nullptr);
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data());
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  close(err[1]);
  if (rc != 0) {
    close(in[1]);
    close(out[0]);
    close(err[0]);
    throw std::system_error(rc, std::generic_category(), "cannot start " + argv[0]);
  }

  ProcessResult result;
  std::size_t written = 0;
  if (input.empty()) close(in[1]), in[1] = -1;
  std::array<pollfd, 3> fds{{{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {in[1], POLLOUT, 0}}};
  std::array<char, 65536> buffer{};
  int open = in[1] >= 0 ? 3 : 2;
  while (open > 0) {
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      throw std::system_error(errno, std::generic_category(), "poll");
    }
    for (std::size_t k = 0; k < 2; ++k) {
      if (fds[k].fd < 0 || fds[k].revents == 0) continue;
      const ssize_t n = read(fds[k].fd, buffer.data(), buffer.size());
      if (n > 0) {
        (k == 0 ? result.out : result.err).append(buffer.data(), static_cast<std::size_t>(n));
      } else {
        close(fds[k].fd);
        fds[k].fd = -1;
        --open;
      }
    }
    if (fds[2].fd >= 0 && fds[2].revents != 0) {
      const ssize_t n =
          (fds[2].revents & POLLOUT) ? write(fds[2].fd, input.data() + written, input.size() - written) : -1;
      if (n > 0) written += static_cast<std::size_t>(n);
      if (n <= 0 || written == input.size()) {
        close(fds[2].fd);
        fds[2].fd = -1;
        --open;
      }
    }
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

}  // namespace zil::test
