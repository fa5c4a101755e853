// The C front of the library and the progress road to the host.
#include "front/front.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <exception>

#include "blocks/run_control.h"
#include "front/fatal.h"
#include "front/units.h"
#include "mavokernel.h"

namespace mavo {
namespace {

constexpr double kBuildVersion = 5.9;
constexpr const char* kBuildDateTime = "Dec  4 2018 17:14:44";

struct FrontState {
    MAVOKernelLib_ProgressCallback currentProgressCallback = nullptr;
    char version_text[32] = {};
    int version_length = 0;  // 0 not built, -1 building failed
    char date_text[256] = {};
    int date_length = 0;
    bool run_in_progress = false;
};
FrontState g_front;

// Ends the run of the front: the host receives its end signal whatever
// happened inside.
int finish_run(int result) {
    unit_close_all();
    INDENT = 0;  // a stopped run leaves no depth behind for the next
    clear_name_buffer();
    setProgressCallback(nullptr);
    g_front.run_in_progress = false;
    return result;
}

}  // namespace

void PROGRESS(INTEGER A, INTEGER B, INTEGER C, INTEGER D, INTEGER E) {
    if (g_front.currentProgressCallback) g_front.currentProgressCallback(A, B, C, D, E);
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
    if (g_front.version_length != 0) return g_front.version_text;
    const int n = std::snprintf(g_front.version_text, sizeof g_front.version_text, "%0.3f", mavo::kBuildVersion);
    g_front.version_length = n;
    if (n <= 0 || n != static_cast<int>(std::strlen(g_front.version_text))) g_front.version_length = -1;
    return g_front.version_text;
}

MAVO_API const char* MAVOKernelLib_getBuildDateTime(void) {
    if (g_front.date_length != 0) return g_front.date_text;
    std::tm stamp{};
    if (!strptime(mavo::kBuildDateTime, "%b %e %Y %T", &stamp)) {
        g_front.date_length = -1;
        return g_front.date_text;
    }
    stamp.tm_isdst = -1;  // the system decides on daylight saving
    const std::time_t when = std::mktime(&stamp);
    std::tm local{};
    localtime_r(&when, &local);
    // The full local date and time; glibc has no "%+" form, this is its content.
    const std::size_t n = std::strftime(g_front.date_text, sizeof g_front.date_text, "%a %b %e %H:%M:%S %Z %Y", &local);
    g_front.date_length = n > 0 ? static_cast<int>(n) : -1;
    return g_front.date_text;
}

MAVO_API void setProgressCallback(MAVOKernelLib_ProgressCallback callback) {
    if (g_front.currentProgressCallback && !callback) g_front.currentProgressCallback(-1, -1, -1, -1, -1);
    g_front.currentProgressCallback = callback;
}

MAVO_API int MAVOKernelLib_runKernel(const char* schemeDir, const char* utilDir, const char* tmyDir, int traceFlag,
                                     MAVOKernelLib_ProgressCallback callback) {
    // The kernel's state is process-wide: a call made while a run is going
    // (from the callback, or another thread) would corrupt it.
    if (g_front.run_in_progress) {
        std::printf("MAVOKernelLib_runKernel: a run is already in progress\n");
        std::fflush(stdout);
        return 1;
    }
    g_front.run_in_progress = true;
    mavo::keep_name_buffer_at_entry();
    setProgressCallback(callback);
    if (!schemeDir || !utilDir || !tmyDir) {
        std::printf("MAVOKernelLib_runKernel: missing directory text\n");
        std::fflush(stdout);
        return mavo::finish_run(1);
    }
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
        std::printf("MAVOKernelLib_runKernel: run stopped: %s\n", e.what());
        std::fflush(stdout);
        return mavo::finish_run(1);
    } catch (...) {
        std::printf("MAVOKernelLib_runKernel: run stopped\n");
        std::fflush(stdout);
        return mavo::finish_run(1);
    }
    return mavo::finish_run(0);
}

}  // extern "C"
