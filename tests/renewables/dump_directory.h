// The developer dumps go to the platform's temporary directory: a test
// points that directory (TMPDIR) at a scratch directory of its own for its
// lifetime, so no test writes into the real one.
#pragma once
#include <cstdlib>
#include <optional>
#include <string>

#include "test_support.h"

namespace mavo::testing {

class DumpDirectory {
public:
    DumpDirectory() {
        if (const char* old = std::getenv("TMPDIR")) old_ = old;
        point_at(dir_.str());
    }
    ~DumpDirectory() {
        if (old_) ::setenv("TMPDIR", old_->c_str(), 1);
        else ::unsetenv("TMPDIR");
    }
    DumpDirectory(const DumpDirectory&) = delete;
    DumpDirectory& operator=(const DumpDirectory&) = delete;

    // Points the temporary directory elsewhere (a missing directory makes
    // every dump unopenable).
    void point_at(const std::string& dir) { ::setenv("TMPDIR", dir.c_str(), 1); }
    std::filesystem::path operator/(const std::string& name) const { return dir_ / name; }

private:
    ScratchDir dir_;
    std::optional<std::string> old_;
};

}  // namespace mavo::testing
