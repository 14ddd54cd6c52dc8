// Drives the real ifsdraw window from a test: a private virtual X server
// (Xvfb), the program on it, keys through xdotool and screenshots through
// ImageMagick's import. Every process started here is killed when its
// owner goes, and also when the test process itself dies.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace window_test {

using std::chrono::milliseconds;

// Variables set (value) or removed (nullopt) over the test's environment.
using Environment = std::vector<std::pair<std::string, std::optional<std::string>>>;

struct CommandResult {
  int status = -1;  // exit status, or -1 when killed or timed out
  std::string out;
  std::string err;
};

// Runs a command to its end, or kills it after `timeout`.
CommandResult RunCommand(const std::vector<std::string>& argv, const Environment& environment,
                         milliseconds timeout = milliseconds(20000));

class ChildProcess {
 public:
  // Starts argv (looked up in PATH) with its output in `logFile`. The
  // child is ended (SIGTERM, then SIGKILL) when the object goes.
  // `inheritFd`, when not -1, is handed to the child as its file 3.
  ChildProcess(const std::vector<std::string>& argv, const Environment& environment, const std::string& logFile,
               int inheritFd = -1);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  // The exit status once the child has ended within `timeout` (-1 when a
  // signal ended it), nothing while it still runs.
  std::optional<int> WaitForExit(milliseconds timeout);
  void Kill();

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// An Xvfb on a display number that no other server uses, with a screen of
// `size` ("WIDTHxHEIGHT") and no window manager.
class XServer {
 public:
  explicit XServer(const std::string& size = "1600x1000");  // throws std::runtime_error when it cannot start
  const std::string& display() const { return display_; }

 private:
  std::string display_;
  std::optional<ChildProcess> process_;
};

// The test's own window manager (window_manager.cpp) on `server`, which
// carries out requests for full screen; throws std::runtime_error when it
// cannot start.
class WindowManager {
 public:
  explicit WindowManager(const XServer& server);

 private:
  std::optional<ChildProcess> process_;
};

// A screenshot: width x height RGB pixels.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};

// Writes a picture as a binary PPM, for looking at after a failure.
void WritePpm(const Picture& picture, const std::string& path);

// Reads a picture file of any kind ImageMagick knows; empty on failure.
Picture ReadPicture(const std::string& path);

// ifsdraw in its window on an X server.
class WindowUnderTest {
 public:
  // Starts the program with `arguments` and waits until its window is up
  // and has the keyboard; throws std::runtime_error when it does not come.
  WindowUnderTest(const XServer& server, const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& logFile);

  // xdotool key names: "Return", "Right", "F2", "ctrl+q", "1".
  void Key(const std::string& keys);
  // Types plain characters.
  void Type(const std::string& text);
  // Resizes the window as a user would, in the screen's top left corner so
  // that all of it shows on the screen.
  void Resize(int width, int height);
  // The window's pixels as they are now; an empty picture on failure.
  Picture Screenshot();
  // Exit status once the program ended within `timeout`.
  std::optional<int> WaitForExit(milliseconds timeout) { return process_->WaitForExit(timeout); }
  std::string Log() const;

 private:
  // The program's window once it shows, "" when the program ended first.
  std::string FindWindow();
  void Xdotool(const std::vector<std::string>& arguments);

  Environment environment_;
  std::string logFile_;
  std::optional<ChildProcess> process_;
  std::string window_;
};

}  // namespace window_test
