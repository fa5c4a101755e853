// The C front of the library and the progress road to the host.
#include "front/front.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "blocks/blocks.h"
#include "blocks/run_control.h"
#include "front/fatal.h"
#include "front/project_lock.h"
#include "front/trace.h"
#include "front/units.h"
#include "mavokernel.h"
#include "support/table_reads.h"

namespace mavo {
namespace {

constexpr double kBuildVersion = 5.9;
constexpr const char* kBuildDateTime = "Dec  4 2018 17:14:44";

// A host may call the front from any of its threads. The kernel's state is
// process-wide, so one run at a time holds it: the busy flag is taken by
// one indivisible test-and-set, and a call that finds it taken returns at
// once, touching nothing. The callback pointer is swapped indivisibly too.
// While a run holds the kernel its callback belongs to it: only the run's
// own thread (the run itself, or the callback it calls) may change it, so a
// host thread can never swap a callback out from under a report in flight.
// The guard covers only the owner test and the swap, never a callback.
struct FrontState {
    std::atomic<MAVOKernelLib_ProgressCallback> currentProgressCallback{nullptr};
    std::mutex callback_guard;
    std::thread::id run_thread{};  // the running call's thread; empty between runs
    std::once_flag version_built;
    char version_text[32] = {};
    int version_length = 0;  // 0 not built, -1 building failed
    std::once_flag date_built;
    char date_text[256] = {};
    int date_length = 0;
    std::atomic_flag run_in_progress = ATOMIC_FLAG_INIT;
};
FrontState g_front;

// Ends the run of the front: the host receives its end signal whatever
// happened inside.
int finish_run(int result) {
    unit_close_all();
    table_reads::flush();
    // The end signal reaches the host while the run still holds the
    // project, its files in place or dropped: what the host reads of the
    // project from its callback then is what this run left, which no other
    // run can have changed yet.
    setProgressCallback(nullptr);
    unlock_project();  // after the commit, which the run has made or dropped
    remove_replaced_files();  // the old files, no longer needed by any run
    clear_name_buffer();
    {
        const std::lock_guard<std::mutex> hold(g_front.callback_guard);
        g_front.run_thread = std::thread::id{};
    }
    g_front.run_in_progress.clear(std::memory_order_release);
    return result;
}

// A traced call refused because another run is putting its files in place
// in the project: the reason is added to the end of the trace file of the
// run's start, which a run reaching its commit has long left, and nothing
// of that run's trace is emptied (a traced run starts by emptying it).
// Never through a link, never into anything but a regular file.
void trace_refusal(const char* project, const std::vector<std::string>& lines) {
    const std::string path = std::string(project) + "/v7trace0.txt";
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return;
    struct stat st{};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        bool first = true;
        for (const std::string& line : lines) {
            const std::string text = (first ? " < DBG ERROR : " : " < DBG : ") + line.substr(0, 240) + " \n";
            if (::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) break;
            first = false;
        }
    }
    ::close(fd);
}

void claim_callback_for_this_run() {
    const std::lock_guard<std::mutex> hold(g_front.callback_guard);
    g_front.run_thread = std::this_thread::get_id();
}

void build_version_text() {
    const int n = std::snprintf(g_front.version_text, sizeof g_front.version_text, "%0.3f", kBuildVersion);
    g_front.version_length = n;
    if (n <= 0 || n != static_cast<int>(std::strlen(g_front.version_text))) g_front.version_length = -1;
}

void build_date_text() {
    std::tm stamp{};
    if (!strptime(kBuildDateTime, "%b %e %Y %T", &stamp)) {
        g_front.date_length = -1;
        return;
    }
    stamp.tm_isdst = -1;  // the system decides on daylight saving
    const std::time_t when = std::mktime(&stamp);
    std::tm local{};
    localtime_r(&when, &local);
    // The full local date and time; glibc has no "%+" form, this is its content.
    const std::size_t n = std::strftime(g_front.date_text, sizeof g_front.date_text, "%a %b %e %H:%M:%S %Z %Y", &local);
    g_front.date_length = n > 0 ? static_cast<int>(n) : -1;
}

}  // namespace

void PROGRESS(INTEGER A, INTEGER B, INTEGER C, INTEGER D, INTEGER E) {
    if (const MAVOKernelLib_ProgressCallback cb = g_front.currentProgressCallback.load()) cb(A, B, C, D, E);
}

void DOS_PROGRESS(INTEGER A, INTEGER B, INTEGER C) { PROGRESS(A, B, C, 0, 0); }

void DOS_OPENCONSOLE() {}
void DOS_LAUNCH() {}
void DOS_CLOSECONSOLE() {}
// Initial block values and the build stamp are static data.
void BDATA() {}
void GENDATE() {}

}  // namespace mavo

using mavo::g_front;

extern "C" {

MAVO_API const char* MAVOKernelLib_getArchName(void) { return "x86_64"; }
MAVO_API int MAVOKernelLib_getArchBits(void) { return 64; }
MAVO_API int MAVOKernelLib_isArchBigEndian(void) { return 0; }
MAVO_API const char* MAVOKernelLib_getBuildStyle(void) { return "Release"; }
MAVO_API int MAVOKernelLib_getReportingCallbackProgressStates(void) { return 1848; }

MAVO_API const char* MAVOKernelLib_getBuildVersion(void) {
    std::call_once(g_front.version_built, mavo::build_version_text);
    return g_front.version_text;
}

MAVO_API const char* MAVOKernelLib_getBuildDateTime(void) {
    std::call_once(g_front.date_built, mavo::build_date_text);
    return g_front.date_text;
}

// The new callback is stored before the old one hears the end signal, so
// the old one may clear or replace itself from inside that signal. The end
// signal is sent outside the guard: a callback may call the front again.
// From another thread while a run holds the kernel nothing changes.
MAVO_API void setProgressCallback(MAVOKernelLib_ProgressCallback callback) {
    MAVOKernelLib_ProgressCallback old = nullptr;
    {
        const std::lock_guard<std::mutex> hold(g_front.callback_guard);
        if (g_front.run_thread != std::thread::id{} && g_front.run_thread != std::this_thread::get_id()) return;
        old = g_front.currentProgressCallback.exchange(callback);
    }
    if (old && !callback) old(-1, -1, -1, -1, -1);
}

MAVO_API int MAVOKernelLib_runKernel(const char* schemeDir, const char* utilDir, const char* tmyDir, int traceFlag,
                                     MAVOKernelLib_ProgressCallback callback) {
    // Refused while another run holds the kernel, from this thread (the
    // callback) or another: nothing is touched, not even the callback.
    if (g_front.run_in_progress.test_and_set(std::memory_order_acquire)) return 1;
    // Refused in the same way while another process runs this project, or
    // puts its files in place under a lock file removed meanwhile: its trace
    // is that run's, so the refusal empties none; only the second, a wait
    // that is not the lock's, adds its reason to a traced call's trace.
    if (schemeDir) {
        const mavo::ProjectLock lock = mavo::lock_project(schemeDir);
        const bool commit_of_another_run = lock == mavo::ProjectLock::held && mavo::commit_going_on(schemeDir);
        if (lock == mavo::ProjectLock::busy || commit_of_another_run) {
            if (commit_of_another_run && traceFlag != 0) mavo::trace_refusal(schemeDir, mavo::stopped_commit_report());
            mavo::unlock_project();
            g_front.run_in_progress.clear(std::memory_order_release);
            return 1;
        }
    }
    mavo::claim_callback_for_this_run();
    mavo::reset_all_blocks_but_name_buffer();
    mavo::keep_name_buffer_at_entry();
    setProgressCallback(callback);
    // No directory, no run; there is no trace file to say so.
    if (!schemeDir || !utilDir || !tmyDir) return mavo::finish_run(1);
    mavo::BDATA();
    mavo::GENDATE();
    const mavo::INTEGER trace = traceFlag;
    try {
        mavo::VR7MAIN(std::string_view(schemeDir, std::strlen(schemeDir)),
                      std::string_view(utilDir, std::strlen(utilDir)),
                      std::string_view(tmyDir, std::strlen(tmyDir)), trace);
    } catch (const mavo::FatalStop&) {
        return mavo::finish_run(1);
    } catch (const std::exception& e) {
        // No exception may cross into the host.
        mavo::DBG_ERROR(std::string("MAVOKernelLib_runKernel: run stopped: ") + e.what());
        return mavo::finish_run(1);
    } catch (...) {
        mavo::DBG_ERROR("MAVOKernelLib_runKernel: run stopped");
        return mavo::finish_run(1);
    }
    return mavo::finish_run(0);
}

}  // extern "C"
