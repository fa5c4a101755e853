// The scheduler and the report: cases to children, their outcomes, the
// lines that say what was checked, the verdict.
#include "sweep/scheduler.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>

#include "sweep/invariants.h"

namespace mavo::sweep {

namespace {

constexpr int kCaseSeconds = 300;

struct Child {
    pid_t pid = -1;
    int fd = -1;
    std::uint64_t number = 0;
    bool twin = false;
    std::string output;
    std::chrono::steady_clock::time_point started;
};

// The label of a run a child makes before its case's own runs.
const std::string kBeforeTheCase = "before the case: ";

struct Outcome {
    bool failed = false;
    long runs = 0;
    std::vector<std::string> lines, steps;
    std::vector<std::string> digests;  // "files-digest blocks-digest step" after each run
    std::set<std::string> reached, due;
    int chains = 0;                    // chains of edits drawn (0 or 1)
    std::vector<std::string> edits;    // the kind of each edit the chain drew
};

Outcome read_outcome(const std::string& output, int status, bool timed_out) {
    Outcome o;
    std::istringstream lines(output);
    std::string last_step;
    bool done = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("STEP ", 0) == 0) {
            last_step = line.substr(5);
            o.steps.push_back(last_step);
        } else if (line.rfind("NOTE ", 0) == 0) {
            o.steps.push_back(line.substr(5));
        } else if (line.rfind("DIGEST ", 0) == 0) {
            o.digests.push_back(line.substr(7));
        } else if (line.rfind("RAN ", 0) == 0) {
            if (!o.steps.empty()) o.steps.back() += ": " + line.substr(4);
        } else if (line.rfind("FAIL ", 0) == 0) {
            o.failed = true;
            o.lines.push_back(line.substr(5));
        } else if (line.rfind("REACHED ", 0) == 0) {
            o.reached.insert(line.substr(8));
        } else if (line.rfind("DUE ", 0) == 0) {
            o.due.insert(line.substr(4));
        } else if (line.rfind("CHAIN ", 0) == 0) {
            ++o.chains;
        } else if (line.rfind("EDIT ", 0) == 0) {
            o.edits.push_back(line.substr(5));
        } else if (line.rfind("RUNS ", 0) == 0) {
            o.runs = std::atol(line.c_str() + 5);
            done = true;
        }
    }
    if (timed_out) {
        o.failed = true;
        o.lines.push_back("a run ends: " + last_step + " did not end in time (killed)");
    } else if (!done || !WIFEXITED(status) || WEXITSTATUS(status) > 1) {
        o.failed = true;
        std::string how = WIFSIGNALED(status) ? "crashed with signal " + std::to_string(WTERMSIG(status))
                                              : "ended with status " + std::to_string(WEXITSTATUS(status));
        o.lines.push_back("a run ends: " + (last_step.empty() ? std::string("the case") : last_step) + " " + how);
    }
    // An invariant the case owed and never checked: the case could not run
    // as its inputs say it must.
    for (const std::string& d : o.due)
        if (!o.reached.count(d)) {
            o.failed = true;
            o.lines.push_back(d + ": due in this case and not reached");
        }
    return o;
}

// One case in this child: its runs, the lines to the parent, the status.
[[noreturn]] void child_case(const Inputs& in, const SweepPlan& plan, std::uint64_t number, bool twin, int fd,
                             const fs::path& dir) {
    const Case c = make_case(in, plan.seed, number);
    const Case other = make_case(in, plan.seed ^ 0x5DEECE66Dull, number);
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir);
    Checker k{in, c, fd, 0, {}, {}, {}, {}, true, {}};
    try {
        if (twin) {
            // This child is a design application: one process, the kernel
            // kept loaded from call to call.
            keep_kernel_memory_between_calls(true);
            const fs::path q = dir / "before";
            new_project(in, q, other, other.site);
            k.own_project = false;
            k.run(q, 1, 243.0f, kBeforeTheCase + "design of another project");
            k.own_project = true;
            fs::remove_all(q);
        }
        run_case(k, dir, &other);
    } catch (const std::exception& e) {
        k.fail("the sweep itself", e.what());
    }
    k.say("RUNS " + std::to_string(k.runs));
    if (!plan.replay) fs::remove_all(dir, ec);
    _exit(k.broken.empty() ? 0 : 1);
}

// Every fourth case also runs in a child that first designs another case's
// project: the two children must leave the same files after every run
// (runs of several cases in one process = fresh processes).
bool has_twin(std::uint64_t number) { return number % 4 == 3; }

// The twin's findings joined to the case's own, and its files compared.
Outcome joined(const Outcome& plain, const Outcome* twin, std::string& twin_note) {
    Outcome o = plain;
    if (!twin) return o;
    o.runs += twin->runs;
    for (const std::string& l : twin->lines) {
        const std::string invariant = l.substr(0, l.find(':'));
        bool known = false;
        for (const std::string& mine : o.lines) known = known || mine.rfind(invariant, 0) == 0;
        if (!known) o.lines.push_back(l + " (in the child that ran another project first)");
        o.failed = true;
    }
    std::vector<std::string> b;
    for (const std::string& d : twin->digests)
        if (d.find(kBeforeTheCase) == std::string::npos) b.push_back(d);
    const std::vector<std::string>& a = plain.digests;
    twin_note = "  runs compared with a child that ran another project first: " +
                std::to_string(std::min(a.size(), b.size())) + "\n";
    // Each digest line: the files' digest, the exported blocks' digest, the step.
    const auto field = [](const std::string& d, int n) {
        std::size_t from = 0;
        for (int i = 0; i < n; ++i) from = d.find(' ', from) + 1;
        return n < 2 ? d.substr(from, d.find(' ', from) - from) : d.substr(from);
    };
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const bool files = field(a[i], 0) != field(b[i], 0), blocks = field(a[i], 1) != field(b[i], 1);
        if (files || blocks) {
            o.failed = true;
            o.lines.push_back(std::string("runs after another project in one process = a fresh process's runs: ") +
                              (files ? (blocks ? "files and the blocks the host reads" : "files")
                                     : "the blocks the host reads") +
                              " differ after " + field(a[i], 2));
            break;
        }
    }
    return o;
}

// How many chains of edits the cases drew, and their edits by kind: a
// kind's code without a meaning of its own and a value that keeps what the
// last run left are counted apart.
void report_chains(std::size_t chains, const std::map<std::string, std::size_t>& edits) {
    std::size_t all = 0;
    for (const auto& [kind, n] : edits) all += n;
    std::printf("chains of edits drawn: %zu, with %zu edits\n", chains, all);
    for (const auto& [kind, n] : edits) {
        const std::size_t space = kind.rfind(' ');
        const std::string tail = space == std::string::npos ? "" : kind.substr(space + 1);
        const std::string label = tail == "UNDEFINED" ? kind.substr(0, space) + ", a code without a meaning of its own"
                                  : tail == "KEEPS"   ? kind.substr(0, space) + ", a value that keeps what the last run left"
                                                      : kind;
        std::printf("  %zu edits: %s\n", n, label.c_str());
    }
}

}  // namespace

int run_sweep(const Inputs& in, const SweepPlan& plan) {
    struct Job {
        std::uint64_t number;
        bool twin;
    };
    std::vector<Job> jobs_to_run;
    for (const std::uint64_t m : plan.numbers) {
        jobs_to_run.push_back({m, false});
        if (has_twin(m)) jobs_to_run.push_back({m, true});
    }
    std::map<std::uint64_t, std::vector<std::pair<bool, Outcome>>> finished;
    std::map<std::string, std::pair<std::size_t, std::size_t>> checked;  // invariant: reached, due
    std::size_t chains = 0;
    std::map<std::string, std::size_t> edits;  // kind of edit: how many the chains drew
    std::vector<Child> running;
    std::size_t next = 0, failed = 0;
    long runs = 0;
    std::error_code ec;
    auto case_dir = [&](std::uint64_t number, bool twin) {
        return in.work / ("case-" + std::to_string(number) + (twin ? "-after-another" : ""));
    };
    auto start = [&](const Job& job) {
        int pipe_fds[2];
        if (pipe(pipe_fds) != 0) {
            std::perror("mavo-sweep: pipe");
            std::exit(2);
        }
        std::fflush(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
            close(pipe_fds[0]);
            child_case(in, plan, job.number, job.twin, pipe_fds[1], case_dir(job.number, job.twin));
        }
        close(pipe_fds[1]);
        fcntl(pipe_fds[0], F_SETFL, O_NONBLOCK);
        running.push_back({pid, pipe_fds[0], job.number, job.twin, {}, std::chrono::steady_clock::now()});
    };
    auto report = [&](std::uint64_t number) {
        const Outcome* plain = nullptr;
        const Outcome* twin = nullptr;
        for (auto& [is_twin, out] : finished[number]) (is_twin ? twin : plain) = &out;
        std::string twin_note;
        const Outcome o = joined(*plain, twin, twin_note);
        for (const std::string& r : plain->reached) ++checked[r].first;
        for (const std::string& d : plain->due) ++checked[d].second;
        chains += static_cast<std::size_t>(plain->chains);
        for (const std::string& e : plain->edits) ++edits[e];
        runs += o.runs;
        const Case c = make_case(in, plan.seed, number);
        const auto seed = static_cast<unsigned long long>(plan.seed), n = static_cast<unsigned long long>(number);
        if (o.failed || plan.replay) std::printf("case %llu (seed %llu): %s\n", n, seed, describe(c).c_str());
        if (o.failed) {
            ++failed;
            for (const std::string& l : o.lines) std::printf("  broken: %s\n", l.c_str());
            std::printf("  replay: mavo-sweep --seed %llu --case %llu WORK_DIR UTIL_DIR WEATHER_DIR\n", seed, n);
        }
        if (plan.replay) {  // a replay shows its runs and leaves its projects in WORK_DIR
            for (const std::string& l : o.steps) std::printf("  run: %s\n", l.c_str());
            std::printf("%s", twin_note.c_str());
            std::printf("  projects: %s\n", case_dir(number, false).c_str());
        }
        finished.erase(number);
        std::fflush(stdout);
    };
    auto finish = [&](Child& ch, bool timed_out) {
        int status = 0;
        if (timed_out) kill(ch.pid, SIGKILL);
        waitpid(ch.pid, &status, 0);
        close(ch.fd);
        if (timed_out && !plan.replay) fs::remove_all(case_dir(ch.number, ch.twin), ec);
        finished[ch.number].push_back({ch.twin, read_outcome(ch.output, status, timed_out)});
        if (finished[ch.number].size() == (has_twin(ch.number) ? 2u : 1u)) report(ch.number);
    };

    while (next < jobs_to_run.size() || !running.empty()) {
        while (next < jobs_to_run.size() && static_cast<long>(running.size()) < plan.jobs) start(jobs_to_run[next++]);
        std::vector<pollfd> fds;
        for (const Child& ch : running) fds.push_back({ch.fd, POLLIN, 0});
        poll(fds.data(), fds.size(), 200);
        const auto now = std::chrono::steady_clock::now();
        for (std::size_t i = running.size(); i-- > 0;) {
            Child& ch = running[i];
            char buf[4096];
            bool ended = false;
            for (;;) {
                const ssize_t n = read(ch.fd, buf, sizeof buf);
                if (n > 0) ch.output.append(buf, static_cast<std::size_t>(n));
                else {
                    ended = n == 0;
                    break;
                }
            }
            const bool late = now - ch.started > std::chrono::seconds(kCaseSeconds);
            if (ended || late) {
                finish(ch, !ended && late);
                running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
    }
    // What was checked: per invariant, the cases whose runs reached it,
    // and for an invariant owed by some cases, how many owed it.
    const std::size_t cases = plan.numbers.size();
    for (const auto& [invariant, counts] : checked) {
        std::printf("reached %zu of %zu cases: %s", counts.first, cases, invariant.c_str());
        if (counts.second > 0) std::printf(" (due in %zu)", counts.second);
        std::printf("\n");
    }
    report_chains(chains, edits);
    if (failed == 0) {
        std::printf("%zu cases, %ld runs: all invariants hold\n", cases, runs);
        return 0;
    }
    std::printf("%zu of %zu cases break an invariant\n", failed, cases);
    return 1;
}

}  // namespace mavo::sweep
