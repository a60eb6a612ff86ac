// Counts the live COM objects and server locks of a module, for DllCanUnloadNow and leak checks.
#pragma once

namespace media {

void ModuleAddRef();
void ModuleRelease();
long ModuleObjectCount();

// Counts one object for its lifetime: a member of every COM object we create.
class ModuleObject {
  public:
    ModuleObject() { ModuleAddRef(); }
    ModuleObject(const ModuleObject&) { ModuleAddRef(); }
    ModuleObject& operator=(const ModuleObject&) = default;
    ~ModuleObject() { ModuleRelease(); }
};

}  // namespace media
