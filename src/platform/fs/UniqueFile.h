#pragma once

#include <cstdio>
#include <memory>

namespace pfs {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// A stdio stream closed when its owner goes.
using UniqueFile = std::unique_ptr<FILE, FileCloser>;

}  // namespace pfs
