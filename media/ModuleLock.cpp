#include "media/ModuleLock.h"

#include <windows.h>

namespace media {
namespace {
volatile LONG g_objects = 0;
}

void ModuleAddRef() {
    InterlockedIncrement(&g_objects);
}
void ModuleRelease() {
    InterlockedDecrement(&g_objects);
}
long ModuleObjectCount() {
    return InterlockedCompareExchange(&g_objects, 0, 0);
}

}  // namespace media
