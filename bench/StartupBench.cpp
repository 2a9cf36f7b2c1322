// startup_ms: from the start of the program's process to its main window on screen, with the
// splash window off, measured from outside: the program is started in a folder of its own and
// reports on its standard output once the window is shown (PEMRIN_REPORT_SHOWN).

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <vector>

#include "Bench.h"

extern char** environ;

namespace pemrin::bench {
namespace {

// One start of the program in folder; milliseconds until it reports its window shown.
double TimeOneStart(const QString& folder) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  const QByteArray program = (folder + "/pemrin").toLocal8Bit();
  char* argv[] = {const_cast<char*>(program.constData()), nullptr};
  std::vector<QByteArray> envStore;
  std::vector<char*> env;
  for (char** e = environ; *e; ++e) env.push_back(*e);
  envStore.push_back("PEMRIN_REPORT_SHOWN=1");
  envStore.push_back("QT_QPA_PLATFORM=offscreen");
  for (auto& item : envStore) env.push_back(item.data());
  env.push_back(nullptr);

  const double start = NowMs();
  pid_t pid;
  int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv, env.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  if (spawned != 0) {
    ::close(pipeFds[0]);
    return -1;
  }
  char buffer[64];
  ssize_t got = ::read(pipeFds[0], buffer, sizeof buffer);
  const double shown = NowMs();
  ::close(pipeFds[0]);
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  return got > 0 ? shown - start : -1;
}

}  // namespace

PEMRIN_BENCH_FIGURE("startup_ms", "ms") {
  QTemporaryDir dir;
  const QString binDir = QCoreApplication::applicationDirPath();
  for (const QString& name :
       QDir(binDir).entryList({"pemrin", "*.dic", "*.tlt", "*.url"}, QDir::Files)) {
    QFile::copy(binDir + "/" + name, dir.path() + "/" + name);
  }
  QFile ini(dir.path() + "/pemrin.ini");
  ini.open(QIODevice::WriteOnly);
  ini.write("[SET]\r\nSPW=0\r\n");
  ini.close();
  std::vector<double> times;
  TimeOneStart(dir.path());  // the first start warms the disk cache
  for (int i = 0; i < 7; ++i) times.push_back(TimeOneStart(dir.path()));
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace pemrin::bench
