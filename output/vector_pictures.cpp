#include "output/vector_pictures.h"

#include "output/vector_format.h"
#include "shell/texts/resources.h"

#include <map>
#include <string>
#include <string_view>

namespace tavro {

namespace {

// Pictures already read, by number. The program draws from one thread, and
// a picture never changes while it runs, so each is read at most once.
std::map<int, Recording>& Cache() {
    static std::map<int, Recording> cache;
    return cache;
}

} // namespace

Recording LoadMetafileResource(int number) {
    std::map<int, Recording>& cache = Cache();
    if (const auto hit = cache.find(number); hit != cache.end()) return hit->second;
    const auto bytes = FindResource(number);
    if (!bytes) {
        throw ResourceError("vector picture " + std::to_string(number) +
                            " is not among the program's resources");
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    // Nested pictures come through here too, so they are cached as well;
    // the parser itself refuses a chain that leads back to a picture being
    // read.
    Recording picture = ParseVectorPicture(text, number, &LoadMetafileResource);
    cache.emplace(number, picture);
    return picture;
}

} // namespace tavro
