#include "app/headless_run.h"

#include <stdexcept>
#include <string>

#include "app/globals.h"
#include "app/states.h"

std::unique_ptr<console::HeadlessConsole> RunHeadless(std::string_view keys, int64_t finalPoints) {
  std::string error;
  auto script = console::ParseKeyScript(keys, &error);
  if (!script) throw std::invalid_argument(error);
  return RunHeadless(std::make_unique<console::HeadlessConsole>(std::move(*script), finalPoints));
}

std::unique_ptr<console::HeadlessConsole> RunHeadless(std::unique_ptr<console::HeadlessConsole> headless) {
  G = Globals{};
  con = headless.get();
  try {
    RunProgram();
  } catch (const console::RunEnded&) {
  }
  con = nullptr;
  return headless;
}
