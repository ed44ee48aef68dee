// Measures Vornacle against its floors, side by side in one run, and prints a table:
//   bench.exe VORNACLE.exe MINIMAL.exe SAME_LOOK.exe HAND_BUILT.exe
// start-up to a shown window and the working set then, against a program that only shows a window,
// one with the same look (Common Controls 6 with themes, one focused text box), and the same main
// window built by hand, which no implementation of it can start faster than;
// a forward lookup against a direct gethostbyname; an append to a 10 MB hosts file against one to a
// one-line file.
#include <windows.h>
#include <winsock.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "main_window/hosts_file_win32.h"
#include "resolve/clsResolve.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 10;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double MicrosecondsOf(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

struct Start {
  double milliseconds;
  double working_set_kib;
};

struct Search {
  DWORD process;
  HWND found = nullptr;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->process || !IsWindowVisible(hwnd)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

HWND VisibleWindowOf(DWORD process) {
  Search search{process};
  EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// From the start of the process to its first visible window; then its working set.
Start StartOnce(const std::string& exe) {
  std::string command = "\"";
  command += exe;
  command += '"';
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const auto begin = Clock::now();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fprintf(stderr, "cannot start %s\n", exe.c_str());
    std::exit(1);
  }
  while (VisibleWindowOf(process.dwProcessId) == nullptr) {
    if (Clock::now() - begin > std::chrono::seconds(30)) {
      std::fprintf(stderr, "%s showed no window\n", exe.c_str());
      std::exit(1);
    }
    Sleep(0);
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
  WaitForInputIdle(process.hProcess, 5000);
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return {ms, memory.WorkingSetSize / 1024.0};
}

std::string WindowsPath(const char* unix_path) {
  std::string path = "Z:";
  path += unix_path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// aim: the highest ratio aimed at, or 0 for a figure only reported; ratio: ours / floor unless given.
void Row(const std::string& what, double ours, double floor, const char* unit, double aim, double ratio = 0) {
  if (ratio == 0) ratio = ours / floor;
  std::printf("| %s | %.3g %s | %.3g %s | %.2f | ", what.c_str(), ours, unit, floor, unit, ratio);
  if (aim > 0) {
    std::printf("%s %.2f |\n", ratio <= aim ? "within" : "MISSES", aim);
  } else {
    std::printf("none |\n");
  }
}

// The start against one floor: the times are the medians of the runs' medians, the ratio the median
// of the runs' ratios, with their spread.
void StartRow(const char* floor, const std::vector<double> (&ms)[4], const std::vector<double> (&ratios)[4],
              int p, double aim) {
  const auto [low, high] = std::minmax_element(ratios[p].begin(), ratios[p].end());
  char what[160];
  std::snprintf(what, sizeof what,
                "start to shown window, vs %s (median of %d runs of 15 starts; spread %.2f-%.2f)", floor,
                kRuns, *low, *high);
  Row(what, Median(ms[0]), Median(ms[p]), "ms", aim, Median(ratios[p]));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: bench VORNACLE.exe MINIMAL.exe SAME_LOOK.exe HAND_BUILT.exe (unix paths)\n");
    return 2;
  }
  const std::string programs[] = {WindowsPath(argv[1]), WindowsPath(argv[2]), WindowsPath(argv[3]),
                                  WindowsPath(argv[4])};

  // Start-up, interleaved so that all four see the same machine: ten runs, each the median of 15
  // starts, so that one noisy run can neither pass nor fail a ratio.
  std::vector<double> ms[4], ws[4], ratios[4];
  for (const std::string& program : programs) StartOnce(program);  // warm the file cache and the wine server
  for (int run = 0; run < kRuns; ++run) {
    std::vector<double> run_ms[4];
    for (int i = 0; i < 15; ++i) {
      for (int p = 0; p < 4; ++p) {
        const Start start = StartOnce(programs[p]);
        run_ms[p].push_back(start.milliseconds);
        ws[p].push_back(start.working_set_kib);
      }
    }
    for (int p = 0; p < 4; ++p) {
      ms[p].push_back(Median(run_ms[p]));
      ratios[p].push_back(Median(run_ms[0]) / Median(run_ms[p]));
    }
  }

  // Forward lookup over the suite's hosts file, against the platform call it makes.
  WSADATA data;
  WSAStartup(MAKEWORD(1, 1), &data);
  std::vector<double> lookup, direct;
  for (int block = 0; block < 40; ++block) {
    lookup.push_back(MicrosecondsOf([] {
                       for (int i = 0; i < 25; ++i) vornacle::clsResolve().GetIPFromHostName("printer1");
                     }) /
                     25);
    direct.push_back(MicrosecondsOf([] {
                       for (int i = 0; i < 25; ++i) gethostbyname("printer1");
                     }) /
                     25);
  }

  // One append to a 10 MB file against one to a one-line file.
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string big = std::string(temp) + "vornacle-bench-big-hosts";
  const std::string small = std::string(temp) + "vornacle-bench-small-hosts";
  {
    std::ofstream out(big, std::ios::binary);
    const std::string line = "0.0.0.0  blocked-host-number-000000.example.com\r\n";
    for (std::size_t written = 0; written < 10u << 20; written += line.size()) out << line;
  }
  std::ofstream(small, std::ios::binary) << "127.0.0.1  localhost\r\n";
  std::vector<double> big_append, small_append;
  for (int i = 0; i < 100; ++i) {
    big_append.push_back(MicrosecondsOf([&] { vornacle::AppendHostsEntry(big, "10.0.0.5", "printer1"); }));
    small_append.push_back(
        MicrosecondsOf([&] { vornacle::AppendHostsEntry(small, "10.0.0.5", "printer1"); }));
  }
  DeleteFileA(big.c_str());
  DeleteFileA(small.c_str());

  std::printf("| Measure | Vornacle | Floor | Ratio | Aim |\n|---|---|---|---|---|\n");
  StartRow("a bare window", ms, ratios, 1, 0);
  StartRow("the same look", ms, ratios, 2, 1.10);
  StartRow("the same window built by hand", ms, ratios, 3, 1.05);
  Row("working set after start, vs the same look (median)", Median(ws[0]), Median(ws[2]), "KiB", 0);
  Row("forward lookup vs gethostbyname", Median(lookup), Median(direct), "us", 1.05);
  Row("append to 10 MB vs 1-line hosts file", Median(big_append), Median(small_append), "us", 1.5);
  return 0;
}
