// The fake kernel with one hook: `moment` runs at the `atWrite`-th WriteFile
// of a run (the first by default), while the handler that runs the diskette
// write still holds the message loop. Setting `moment` again from inside it
// arms it for a later write.
#pragma once

#include <functional>
#include <utility>

#include "tests/fakes/FakeKernel.h"

namespace wintest {

class KernelWithMoment : public fakes::FakeKernel {
public:
    int atWrite = 1;
    std::function<void()> moment;

    sys::BOOL WriteFile(sys::Handle h, const void* buffer, sys::DWORD bytes, sys::DWORD* done) override {
        if (moment && --atWrite <= 0) {
            atWrite = 1;
            std::exchange(moment, nullptr)();
        }
        return FakeKernel::WriteFile(h, buffer, bytes, done);
    }
};

}  // namespace wintest
