#include "quiz/random_source.h"

#include <cstdlib>

RandomSource RuntimeRandomSource() {
    return [] { return std::rand(); };
}
