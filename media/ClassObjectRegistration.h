// Makes a filter that lives inside an executable creatable with CoCreateInstance in this
// apartment (CoRegisterClassObject), for as long as the object lives.
#pragma once

#include "media/ClassFactory.h"

namespace media {

class ClassObjectRegistration {
  public:
    ClassObjectRegistration() = default;
    ~ClassObjectRegistration() { Revoke(); }
    ClassObjectRegistration(const ClassObjectRegistration&) = delete;
    ClassObjectRegistration& operator=(const ClassObjectRegistration&) = delete;

    HRESULT Register(const CLSID& clsid, CreateInstanceFn create);
    void Revoke();
    bool Registered() const { return cookie_ != 0; }

  private:
    DWORD cookie_ = 0;
};

}  // namespace media
