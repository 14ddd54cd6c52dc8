#include "window_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace window_test {
namespace {

using Clock = std::chrono::steady_clock;

// argv and envp for exec, prepared before fork so that the child only
// calls what is safe between fork and exec.
struct ExecArguments {
  std::vector<std::string> strings;
  std::vector<char*> argv;
  std::vector<char*> envp;

  ExecArguments(const std::vector<std::string>& arguments, const Environment& environment) {
    std::map<std::string, std::string> variables;
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string entry = *e;
      const size_t equals = entry.find('=');
      if (equals != std::string::npos) variables[entry.substr(0, equals)] = entry.substr(equals + 1);
    }
    for (const auto& [name, value] : environment) {
      if (value) variables[name] = *value;
      else variables.erase(name);
    }
    strings = arguments;
    const size_t argc = strings.size();
    for (const auto& [name, value] : variables) strings.push_back(name + "=" + value);
    for (size_t i = 0; i < strings.size(); ++i) (i < argc ? argv : envp).push_back(strings[i].data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
  }
};

// In the child: dies with the test process, then becomes the program.
[[noreturn]] void BecomeChild(ExecArguments& exec, pid_t parent, int out, int err, int inheritFd) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent) _exit(126);
  const int devNull = open("/dev/null", O_RDONLY);
  if (devNull >= 0) dup2(devNull, 0);
  if (out >= 0) dup2(out, 1);
  if (err >= 0) dup2(err, 2);
  if (inheritFd >= 0) {
    if (inheritFd == 3) fcntl(3, F_SETFD, 0);
    else dup2(inheritFd, 3);
  }
  execvpe(exec.argv[0], exec.argv.data(), exec.envp.data());
  _exit(127);
}

int ExitStatus(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

// A binary PPM (P6, maxval 255) as ImageMagick writes it.
Picture ParsePpm(const std::string& data) {
  Picture picture;
  size_t at = 0;
  const auto field = [&]() -> std::string {
    while (at < data.size()) {
      if (data[at] == '#') {
        while (at < data.size() && data[at] != '\n') ++at;
      } else if (std::isspace(static_cast<unsigned char>(data[at]))) {
        ++at;
      } else {
        break;
      }
    }
    const size_t start = at;
    while (at < data.size() && !std::isspace(static_cast<unsigned char>(data[at]))) ++at;
    return data.substr(start, at - start);
  };
  if (field() != "P6") return {};
  const int width = std::atoi(field().c_str());
  const int height = std::atoi(field().c_str());
  if (field() != "255" || width <= 0 || height <= 0) return {};
  ++at;  // the single whitespace before the pixels
  const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
  if (data.size() < at + bytes) return {};
  picture.width = width;
  picture.height = height;
  picture.rgb.assign(data.begin() + static_cast<std::ptrdiff_t>(at),
                     data.begin() + static_cast<std::ptrdiff_t>(at + bytes));
  return picture;
}

// What a child writes to file 3 up to its first newline, which it sends
// once it is ready; without the newline when the child ended or `timeout`
// passed first.
std::string ReadyLine(int fd, milliseconds timeout) {
  std::string line;
  const Clock::time_point deadline = Clock::now() + timeout;
  while (line.empty() || line.back() != '\n') {
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
    pollfd ready{fd, POLLIN, 0};
    if (left <= 0 || poll(&ready, 1, static_cast<int>(left)) <= 0) break;
    char c;
    if (read(fd, &c, 1) != 1) break;
    line += c;
  }
  close(fd);
  return line;
}

}  // namespace

CommandResult RunCommand(const std::vector<std::string>& argv, const Environment& environment,
                         milliseconds timeout) {
  ExecArguments exec(argv, environment);
  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC) != 0) return {};
  if (pipe2(err, O_CLOEXEC) != 0) {
    close(out[0]);
    close(out[1]);
    return {};
  }
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid == 0) BecomeChild(exec, parent, out[1], err[1], -1);
  close(out[1]);
  close(err[1]);
  CommandResult result;
  if (pid < 0) {
    close(out[0]);
    close(err[0]);
    return result;
  }
  const Clock::time_point deadline = Clock::now() + timeout;
  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open = 2;
  bool timedOut = false;
  while (open > 0) {
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) {
      timedOut = true;
      break;
    }
    if (poll(fds, 2, static_cast<int>(left)) < 0 && errno != EINTR) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[65536];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  for (const pollfd& fd : fds)
    if (fd.fd >= 0) close(fd.fd);
  if (timedOut) kill(pid, SIGKILL);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  result.status = timedOut ? -1 : ExitStatus(status);
  return result;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const Environment& environment,
                           const std::string& logFile, int inheritFd) {
  ExecArguments exec(argv, environment);
  const int log = open(logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (log < 0) throw std::runtime_error("cannot write " + logFile);
  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ == 0) BecomeChild(exec, parent, log, log, inheritFd);
  close(log);
  if (pid_ < 0) throw std::runtime_error("cannot start " + argv[0]);
}

ChildProcess::~ChildProcess() { Kill(); }

std::optional<int> ChildProcess::WaitForExit(milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  while (!status_) {
    int status = 0;
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      status_ = ExitStatus(status);
      break;
    }
    if (done < 0 && errno != EINTR) {
      status_ = -1;
      break;
    }
    if (Clock::now() >= deadline) break;
    std::this_thread::sleep_for(milliseconds(20));
  }
  return status_;
}

void ChildProcess::Kill() {
  if (pid_ <= 0 || status_) return;
  // Asked first, so that an X server removes its socket; forced after a while.
  kill(pid_, SIGTERM);
  if (WaitForExit(milliseconds(3000))) return;
  kill(pid_, SIGKILL);
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  status_ = -1;
}

XServer::XServer(const std::string& size) {
  // Xvfb picks a free display number itself and writes it to file 3 once
  // it accepts clients.
  int ready[2];
  if (pipe2(ready, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  const std::string log = "/tmp/ifsdraw-xvfb-" + std::to_string(getpid()) + ".log";
  process_.emplace(std::vector<std::string>{"Xvfb", "-displayfd", "3", "-screen", "0", size + "x24", "-nolisten",
                                            "tcp"},
                   Environment{}, log, ready[1]);
  close(ready[1]);
  std::string number = ReadyLine(ready[0], milliseconds(30000));
  if (number.empty() || number.back() != '\n') {
    process_.reset();
    const std::string output = ReadFile(log);
    std::remove(log.c_str());
    throw std::runtime_error("Xvfb did not start: " + output);
  }
  std::remove(log.c_str());
  number.pop_back();
  display_ = ":" + number;
}

WindowManager::WindowManager(const XServer& server) {
  const std::string log = "/tmp/ifsdraw-wm-" + std::to_string(getpid()) + ".log";
  std::string earlier;
  // Like any client, it may find its connection dropped (see
  // WindowUnderTest) and is then started again.
  for (int attempt = 1; attempt <= 3; ++attempt) {
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    process_.emplace(std::vector<std::string>{IFSDRAW_TEST_WINDOW_MANAGER},
                     Environment{{"DISPLAY", server.display()}, {"ASAN_OPTIONS", "detect_leaks=0"}}, log, ready[1]);
    close(ready[1]);
    const bool started = ReadyLine(ready[0], milliseconds(30000)) == "\n";
    if (!started) process_.reset();
    earlier += ReadFile(log);
    std::remove(log.c_str());
    if (started) return;
  }
  throw std::runtime_error("the window manager did not start: " + earlier);
}

void WritePpm(const Picture& picture, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << picture.width << " " << picture.height << "\n255\n";
  out.write(reinterpret_cast<const char*>(picture.rgb.data()), static_cast<std::streamsize>(picture.rgb.size()));
}

Picture ReadPicture(const std::string& path) {
  const CommandResult converted = RunCommand({"convert", path, "-depth", "8", "ppm:-"}, {});
  if (converted.status != 0) return {};
  return ParsePpm(converted.out);
}

WindowUnderTest::WindowUnderTest(const XServer& server, const std::string& program,
                                 const std::vector<std::string>& arguments, const std::string& logFile)
    : environment_{{"DISPLAY", server.display()},
                   {"WAYLAND_DISPLAY", std::nullopt},
                   {"SDL_VIDEODRIVER", "x11"},
                   // SDL and Xlib keep some allocations until exit on purpose.
                   {"ASAN_OPTIONS", "detect_leaks=0"}},
      logFile_(logFile) {
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  // Xvfb now and then drops a connection the moment it accepts it while
  // other clients come and go; a program that could not connect is
  // started again.
  std::string earlier;
  for (int attempt = 1; window_.empty(); ++attempt) {
    process_.emplace(argv, environment_, logFile);
    window_ = FindWindow();
    if (!window_.empty()) break;
    earlier += Log();
    if (attempt == 3) throw std::runtime_error("no ifsdraw window appeared: " + earlier);
  }
  // Keys typed through XTEST go to the window that has the focus.
  const Clock::time_point deadline = Clock::now() + milliseconds(60000);
  for (;;) {
    RunCommand({"xdotool", "windowfocus", window_}, environment_);
    const CommandResult focus = RunCommand({"xdotool", "getwindowfocus"}, environment_);
    if (focus.out.substr(0, focus.out.find('\n')) == window_) break;
    if (Clock::now() >= deadline) throw std::runtime_error("the ifsdraw window did not take the focus");
    std::this_thread::sleep_for(milliseconds(100));
  }
}

std::string WindowUnderTest::FindWindow() {
  const Clock::time_point deadline = Clock::now() + milliseconds(60000);
  while (!process_->WaitForExit(milliseconds(0)) && Clock::now() < deadline) {
    const CommandResult found =
        RunCommand({"xdotool", "search", "--onlyvisible", "--name", "^ifsdraw$"}, environment_);
    const std::string window = found.out.substr(0, found.out.find('\n'));
    if (!window.empty()) return window;
    std::this_thread::sleep_for(milliseconds(100));
  }
  return "";
}

void WindowUnderTest::Xdotool(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv{"xdotool"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  // A refused connection (see above) sent nothing, so trying again is safe.
  CommandResult result;
  for (int attempt = 1; attempt <= 5; ++attempt) {
    result = RunCommand(argv, environment_);
    if (result.status == 0) return;
    std::this_thread::sleep_for(milliseconds(100));
  }
  throw std::runtime_error("xdotool failed: " + result.err);
}

void WindowUnderTest::Key(const std::string& keys) {
  std::vector<std::string> arguments{"key", "--delay", "30"};
  std::istringstream words(keys);
  for (std::string key; words >> key;) arguments.push_back(key);
  Xdotool(arguments);
}

void WindowUnderTest::Type(const std::string& text) { Xdotool({"type", "--delay", "30", text}); }

void WindowUnderTest::Resize(int width, int height) {
  Xdotool({"windowmove", window_, "0", "0"});
  Xdotool({"windowsize", window_, std::to_string(width), std::to_string(height)});
}

Picture WindowUnderTest::Screenshot() {
  const CommandResult shot = RunCommand({"import", "-window", window_, "-depth", "8", "ppm:-"}, environment_);
  if (shot.status != 0) return {};
  return ParsePpm(shot.out);
}

std::string WindowUnderTest::Log() const { return ReadFile(logFile_); }

}  // namespace window_test
