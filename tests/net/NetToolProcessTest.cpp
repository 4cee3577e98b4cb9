#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <nlohmann/json.hpp>
#include <thread>

#include "NetTestKit.h"
#include "RunProgram.h"
#include "TempFolder.h"

namespace fl3 {
namespace {

using Clock = std::chrono::steady_clock;

// A fuselark3-net process with its output in files of the folder.
class Process {
 public:
  Process(const testing::TempFolder& folder, const std::string& name, std::vector<std::string> arguments)
      : out_(folder.Path() / (name + ".out")), err_(folder.Path() / (name + ".err")) {
    arguments.insert(arguments.begin(), FUSELARK3_NET_TOOL);
    pid_ = fork();
    if (pid_ == 0) {
      dup2(open(out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
      dup2(open(err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
      std::vector<char*> argv;
      for (std::string& argument : arguments) argv.push_back(argument.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
  }
  ~Process() { Kill(); }
  void Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  // The exit status, or -1 when it had to be killed at the deadline.
  int Wait(Clock::time_point deadline) {
    while (pid_ > 0 && Clock::now() < deadline) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Kill();
    return -1;
  }
  std::string Read(bool errors = false) const {
    std::ifstream in(errors ? err_ : out_);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::filesystem::path out_, err_;
  pid_t pid_ = -1;
};

// The host says on which port it listens (any free one, so that test runs
// side by side never meet).
std::string PortOf(const Process& host) {
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  while (Clock::now() < deadline) {
    const std::string said = host.Read(true);
    if (const auto at = said.find("UDP port "); at != std::string::npos && said.find('\n', at) != std::string::npos) {
      return said.substr(at + 9, said.find('\n', at) - at - 9);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return {};
}

// Four processes over real ENet on 127.0.0.1 with the shim on, each on a
// clock of its own (days apart, running at different rates), one client
// killed in the middle and started again with its seat key, a spectator
// joining late: every summary that the match produced names the same final
// hash.
TEST(NetToolProcessTest, ProcessesOverEnetEndOnOneHash) {
  const testing::TempFolder folder;
  const auto level = folder.Write("NET.FL3", testing::NetTestStart(MatchMostKills, 3).level);
  const std::vector<std::string> shim{"--latency", "30", "--jitter", "10", "--loss", "3", "--duplicate", "1", "--reorder", "1"};
  auto with = [&](std::vector<std::string> arguments, std::uint64_t seed) {
    arguments.insert(arguments.end(), shim.begin(), shim.end());
    const std::int64_t offsetMs = (static_cast<std::int64_t>(seed % 7) - 3) * 86'400'000 + 3'600'000;
    arguments.insert(arguments.end(), {"--seed", std::to_string(seed), "--wait", "20", "--folder", folder.Path().string(),
                                       "--clock-offset", std::to_string(offsetMs), "--clock-rate",
                                       std::to_string(static_cast<int>(seed % 5) * 100 - 200)});
    return arguments;
  };
  Process host(folder, "host", with({"host", "--level", level.string(), "--kind", "1", "--seconds", "9", "--port", "0"}, 1));
  const std::string port = PortOf(host);
  ASSERT_FALSE(port.empty()) << host.Read(true);
  const std::string address = "127.0.0.1:" + port;
  const std::string key = (folder.Path() / "p1.key").string();
  std::vector<std::unique_ptr<Process>> clients;
  for (int i = 1; i <= 3; ++i) {
    const std::string name = "p" + std::to_string(i);
    const std::string keyFile = i == 1 ? key : (folder.Path() / (name + ".key")).string();
    clients.push_back(std::make_unique<Process>(folder, name, with({"join", "--host", address, "--name", name, "--seat-key", keyFile}, 10 + i)));
  }
  std::this_thread::sleep_for(std::chrono::seconds(3));
  clients[0]->Kill();
  Process spectator(folder, "watcher", with({"watch", "--host", address, "--name", "watcher"}, 20));
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  Process again(folder, "p1-again", with({"join", "--host", address, "--name", "p1", "--seat-key", key}, 11));

  const auto deadline = Clock::now() + std::chrono::seconds(60);
  std::vector<const Process*> finished{&host, clients[1].get(), clients[2].get(), &spectator, &again};
  std::string hash;
  for (const Process* process : finished) {
    EXPECT_EQ(const_cast<Process*>(process)->Wait(deadline), 0) << process->Read() << process->Read(true);
    const auto summary = nlohmann::json::parse(process->Read(), nullptr, false);
    ASSERT_FALSE(summary.is_discarded()) << process->Read(true);
    EXPECT_EQ(summary["end"], "over");
    EXPECT_EQ(summary["desyncs"], 0);
    if (hash.empty()) hash = summary["finalHash"];
    EXPECT_EQ(summary["finalHash"], hash) << summary["mode"];
  }
}

TEST(NetToolProcessTest, HelpAndVersionAnswerAtOnce) {
  for (const char* option : {"--help", "--version"}) {
    const testing::ProgramRun run = testing::RunProgram(FUSELARK3_NET_TOOL, {option});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("fuselark3-net"), std::string::npos);
  }
}

}  // namespace
}  // namespace fl3
