// The game's sequence must be glibc's unseeded rand() value for value, or every recorded game
// and golden replays differently.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "game/GameRandom.h"

namespace {

constexpr int kCount = 5000;

#ifdef __GLIBC__
// A child process re-seeds with 1 (glibc's unseeded state) so nothing this process drew
// earlier matters, and sends its values back through a pipe.
std::vector<int> CLibrarySequence(unsigned seed = 1) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        std::srand(seed);
        for (int i = 0; i < kCount; ++i) {
            const int value = std::rand();
            if (write(fds[1], &value, sizeof value) != sizeof value) _exit(1);
        }
        _exit(0);
    }
    close(fds[1]);
    std::vector<int> values(kCount);
    size_t got = 0;
    char* out = reinterpret_cast<char*>(values.data());
    while (got < values.size() * sizeof(int)) {
        const ssize_t n = read(fds[0], out + got, values.size() * sizeof(int) - got);
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (got != values.size() * sizeof(int)) return {};
    return values;
}

TEST(GameRandomTest, MatchesTheCLibrarysUnseededSequence) {
    const std::vector<int> expected = CLibrarySequence();
    ASSERT_EQ(expected.size(), static_cast<size_t>(kCount));
    GameRandom sequence;
    for (int i = 0; i < kCount; ++i)
        ASSERT_EQ(sequence.Next(), expected[i]) << "value " << i;
}

// The daily game's generators are seeded with a date as srand() would be.
TEST(GameRandomTest, SeededLikeTheCLibrary) {
    for (unsigned seed : {20261206u, 0u, 99991231u}) {
        const std::vector<int> expected = CLibrarySequence(seed);
        ASSERT_EQ(expected.size(), static_cast<size_t>(kCount));
        GameRandom sequence(seed);
        for (int i = 0; i < kCount; ++i)
            ASSERT_EQ(sequence.Next(), expected[i]) << "seed " << seed << " value " << i;
    }
}
#endif

TEST(GameRandomTest, CountsItsDraws) {
    GameRandom a, b;
    a.Skip(1000);
    EXPECT_EQ(a.Draws(), 1000);
    for (int i = 0; i < 1000; ++i)
        b.Next();
    EXPECT_EQ(a.Next(), b.Next());
}

// Known values, so a C library other than glibc still checks the generator.
TEST(GameRandomTest, StartsWithTheKnownValues) {
    GameRandom sequence;
    EXPECT_EQ(sequence.Next(), 1804289383);
    EXPECT_EQ(sequence.Next(), 846930886);
    EXPECT_EQ(sequence.Next(), 1681692777);
}

}  // namespace
