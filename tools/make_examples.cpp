// zebstat-make-examples [DIR]: writes the example measurement files (default
// folder: examples). The same command always writes the same bytes.
// zebstat-make-examples --corpus DIR: writes the generated measurement files of
// the regression corpus instead.
#include "CorpusData.h"
#include "ExampleData.h"

#include <clocale>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    if (argc > 2 && std::strcmp(argv[1], "--corpus") == 0) {
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
