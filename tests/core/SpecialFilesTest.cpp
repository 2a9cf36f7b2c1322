// Names that are no plain files: a FIFO or a folder where a document or the settings file should
// be. Opening one must give the open error at once; a FIFO once made the program wait for ever
// for a writer, so each case runs in a child process that is killed if it does not finish.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

#include "ProgramFolder.h"

namespace pemrin::testing {
namespace {

// Runs `scenario` in a child process; true when it returned true within five seconds.
bool FinishesInTime(const std::function<bool()>& scenario) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(scenario() ? 0 : 1);
  for (int tenth = 0; tenth < 50; ++tenth) {
    int status = 0;
    if (::waitpid(child, &status, WNOHANG) == child) {
      return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  return false;
}

TEST(SpecialFiles, OpeningAFifoOrAFolderGivesTheOpenErrorAtOnce) {
  ProgramFolder folder;
  folder.Start();
  const std::string fifo = folder.Path("pipe.html");
  const std::string dir = folder.Path("folder.html");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_TRUE(std::filesystem::create_directory(dir));
  for (const std::string& path : {fifo, dir}) {
    EXPECT_TRUE(FinishesInTime([&] {
      folder.platform.errors.clear();
      const Bytes before = folder.editor.Text();
      folder.form.Run([&] { folder.form.DropFiles({path}); });
      return folder.platform.errors ==
                 std::vector<std::string>{"ファイル " + path + " は開けません"} &&
             folder.editor.Text() == before;
    })) << path;
  }
}

TEST(SpecialFiles, AFifoInPlaceOfTheSettingsFileGivesTheDefaults) {
  ProgramFolder folder;
  ASSERT_EQ(::mkfifo(folder.Path("pemrin.ini").c_str(), 0600), 0);
  EXPECT_TRUE(FinishesInTime([&] {
    folder.Start();
    return folder.platform.errors.empty() && folder.form.TagColor == 65280;
  }));
}

}  // namespace
}  // namespace pemrin::testing
