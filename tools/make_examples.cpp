// zebstat-make-examples [DIR]: writes the example measurement files (default
// folder: examples). zebstat-make-examples --maximal FILE: writes the largest
// record file (99 concentrations × 135 angles) to FILE.
// zebstat-make-examples --corpus DIR: writes the generated measurement files of
// the regression corpus. The same command always writes the same bytes.
#include "CorpusData.h"
#include "ExampleData.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Written beside the target and renamed into place, so a reader never sees half a file.
int WriteMaximal(const char* path) {
    const std::string bytes = zeb::examples::MaximalRecordFile();
    const std::string temporary = std::string(path) + ".part";
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f) ok = std::fclose(f) == 0 && ok;
    if (!ok || std::rename(temporary.c_str(), path) != 0) {
        std::remove(temporary.c_str());
        std::fprintf(stderr, "zebstat-make-examples: cannot write %s\n", path);
        return 1;
    }
    std::printf("%s\n", path);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    const bool maximal = argc > 1 && std::strcmp(argv[1], "--maximal") == 0;
    const bool corpus = argc > 1 && std::strcmp(argv[1], "--corpus") == 0;
    if ((maximal || corpus) && argc != 3) {
        std::fprintf(stderr, "usage: zebstat-make-examples [DIR] | --maximal FILE | --corpus DIR\n");
        return 2;
    }
    if (maximal) return WriteMaximal(argv[2]);
    if (corpus) {
        if (!zeb::examples::WriteCorpusFiles(argv[2])) {
            std::fprintf(stderr, "zebstat-make-examples: cannot write the files into %s\n", argv[2]);
            return 1;
        }
        for (const auto& name : zeb::examples::CorpusFileNames()) std::printf("%s/%s\n", argv[2], name.c_str());
        return 0;
    }
    const char* dir = argc > 1 ? argv[1] : "examples";
    if (!zeb::examples::WriteExamples(dir)) {
        std::fprintf(stderr, "zebstat-make-examples: cannot write the files into %s\n", dir);
        return 1;
    }
    for (const auto& name : zeb::examples::ExampleFileNames()) std::printf("%s/%s\n", dir, name.c_str());
    return 0;
}
