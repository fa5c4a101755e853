/*
 * The kernel's C front. A host loads libmavokernel.so, may ask the getters
 * about the build, and calls MAVOKernelLib_runKernel once per run with the
 * project, utility and weather directories. The run serves the scheme that
 * the project's saved state selects and leaves its results in the project
 * files. Calls must not overlap: the kernel keeps its state process-wide.
 */
#ifndef MAVOKERNEL_H
#define MAVOKERNEL_H

#include <stdint.h>

#if defined(__GNUC__)
#define MAVO_API __attribute__((visibility("default")))
#else
#define MAVO_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Progress report: (scheme,0,0,0,0) once the project state is loaded,
 * (-1,-1,-1,-1,-1) at the end of the run and again when the front clears
 * the callback. */
typedef void (*MAVOKernelLib_ProgressCallback)(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e);

MAVO_API const char* MAVOKernelLib_getArchName(void);
MAVO_API int MAVOKernelLib_getArchBits(void);
MAVO_API int MAVOKernelLib_isArchBigEndian(void);
MAVO_API const char* MAVOKernelLib_getBuildStyle(void);
MAVO_API const char* MAVOKernelLib_getBuildVersion(void);
MAVO_API const char* MAVOKernelLib_getBuildDateTime(void);
MAVO_API int MAVOKernelLib_getReportingCallbackProgressStates(void);

/* Runs one scheme. Directories without a trailing separator; traceFlag not 0
 * writes the trace log "v7trace<d>.txt" into the project directory. Returns
 * 0 when the run ended normally (its own errors are left in the project's
 * flags and trace), 1 when it was stopped: a project file that could not be
 * opened, a missing directory text, or a call while another is running. */
MAVO_API int MAVOKernelLib_runKernel(const char* schemeDir, const char* utilDir, const char* tmyDir, int traceFlag,
                                     MAVOKernelLib_ProgressCallback callback);

/* Installs a progress callback; null clears it, sending the end signal to
 * the one installed before. */
MAVO_API void setProgressCallback(MAVOKernelLib_ProgressCallback callback);

#ifdef __cplusplus
}
#endif

#endif /* MAVOKERNEL_H */
