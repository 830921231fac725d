// zebstat-make-examples [DIR]: writes the example measurement files (default
// folder: examples). The same command always writes the same bytes.
#include "ExampleData.h"

#include <clocale>
#include <cstdio>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    const char* dir = argc > 1 ? argv[1] : "examples";
    if (!zeb::examples::WriteExamples(dir)) {
        std::fprintf(stderr, "zebstat-make-examples: cannot write the files into %s\n", dir);
        return 1;
    }
    for (const auto& name : zeb::examples::ExampleFileNames()) std::printf("%s/%s\n", dir, name.c_str());
    return 0;
}
