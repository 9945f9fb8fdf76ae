// The three exports of pellimor. Hosts load the library by name and look these up.
// On Win32 they use the stdcall convention of the system's own APIs (see README.md).
#pragma once

#include <stdint.h>

#if defined(_WIN32)
#define PELLIMOR_CALL __stdcall
#define PELLIMOR_EXPORT
#else
#define PELLIMOR_CALL
#define PELLIMOR_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

PELLIMOR_EXPORT int32_t PELLIMOR_CALL EnumCPU(void);
PELLIMOR_EXPORT int32_t PELLIMOR_CALL CPUSpeed(void);
PELLIMOR_EXPORT int32_t PELLIMOR_CALL vDetect(int32_t vendor, int32_t device);

#ifdef __cplusplus
}
#endif

// Host-side pointer types for GetProcAddress / dlsym.
typedef int32_t(PELLIMOR_CALL* PellimorCountFn)(void);
typedef int32_t(PELLIMOR_CALL* PellimorDetectFn)(int32_t vendor, int32_t device);
