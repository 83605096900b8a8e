#include "wordgames/snow_rules.h"

#include <gtest/gtest.h>

#include "platform/vbmath.h"

namespace {

std::vector<SnowStepKind> kinds(const std::vector<SnowStep>& steps) {
    std::vector<SnowStepKind> out;
    for (const SnowStep& s : steps) out.push_back(s.kind);
    return out;
}

int letter(char c) { return c - 'A'; }

using K = SnowStepKind;

}  // namespace

TEST(SnowRulesTest, ShorterWordsAllowMoreWrongLetters) {
    const int expected[] = {11, 11, 11, 11, 10, 9, 8, 7, 6, 5, 5, 5, 5, 5, 5, 5, 5};
    for (int length = 0; length <= 16; ++length) EXPECT_EQ(snowAllowed(length), expected[length]) << length;
}

TEST(SnowRulesTest, EveryPartMeltsOnceInOrderAndTheLastAllowedMissTakesTheBody) {
    for (int allowed = 5; allowed <= 11; ++allowed) {
        std::vector<int> order;
        for (int miss = 1; miss <= allowed; ++miss) {
            const std::vector<int> parts = snowMeltParts(allowed, miss);
            EXPECT_FALSE(parts.empty()) << allowed << " miss " << miss;
            order.insert(order.end(), parts.begin(), parts.end());
        }
        EXPECT_EQ(order, (std::vector<int>{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1})) << allowed;
        EXPECT_EQ(snowMeltParts(allowed, allowed), std::vector<int>{kSnowBody}) << allowed;
        EXPECT_TRUE(snowMeltParts(allowed, allowed + 1).empty()) << allowed;
        EXPECT_TRUE(snowMeltParts(allowed, 0).empty()) << allowed;
    }
    // Where the steps take several parts at once.
    EXPECT_EQ(snowMeltParts(10, 1), (std::vector<int>{11, 10}));
    EXPECT_EQ(snowMeltParts(9, 4), (std::vector<int>{8, 7, 6}));
    EXPECT_EQ(snowMeltParts(8, 3), (std::vector<int>{8, 7, 6}));
    EXPECT_EQ(snowMeltParts(8, 4), std::vector<int>{5});
    EXPECT_EQ(snowMeltParts(7, 5), (std::vector<int>{5, 4, 3}));
    EXPECT_EQ(snowMeltParts(6, 1), (std::vector<int>{11, 10}));
    EXPECT_EQ(snowMeltParts(5, 1), (std::vector<int>{11, 10, 9}));
    EXPECT_EQ(snowMeltParts(5, 3), (std::vector<int>{5, 4, 3}));
    EXPECT_TRUE(snowMeltParts(4, 1).empty());
}

TEST(SnowRulesTest, TheComputerDrawsOneWordOfTheListUniformly) {
    const std::vector<std::string> list = {"", "BELL", "STAR", "TREE", "UNUSED"};
    int count = 3;
    {
        ScriptedRandom rnd{0.0f, 0.34f, 0.67f, 0.99999994f};
        ScopedRandom scoped(rnd);
        EXPECT_EQ(chooseComputerWord(list, count), "BELL");
        EXPECT_EQ(chooseComputerWord(list, count), "STAR");
        EXPECT_EQ(chooseComputerWord(list, count), "TREE");
        EXPECT_EQ(chooseComputerWord(list, count), "TREE");
        EXPECT_EQ(rnd.draws(), 4);
    }
    {
        // No word at all: one draw all the same, and an empty word.
        count = 0;
        ScriptedRandom rnd{0.5f};
        ScopedRandom scoped(rnd);
        EXPECT_EQ(chooseComputerWord(list, count), "");
        EXPECT_EQ(rnd.draws(), 1);
    }
}

TEST(SnowRulesTest, ALetterIsRevealedWhereverItOccursInOnePick) {
    SnowRules r;
    r.newWord("BELL");
    EXPECT_EQ(r.GameOn, 1);
    EXPECT_EQ(r.Allowed, 10);
    EXPECT_EQ(r.Shown, "****");

    const std::vector<SnowStep> steps = r.pickLetter(letter('L'));
    ASSERT_EQ(kinds(steps), (std::vector<K>{K::Picked, K::Reveal, K::Reveal}));
    EXPECT_EQ(steps[1].position, 3);
    EXPECT_EQ(steps[2].position, 4);
    EXPECT_EQ(r.Shown, "**LL");
    EXPECT_EQ(r.Revealed, 2);
    EXPECT_EQ(r.Misses, 0);
    EXPECT_TRUE(r.picked(letter('L')));

    // A letter picked before does nothing.
    EXPECT_TRUE(r.pickLetter(letter('L')).empty());
    EXPECT_EQ(r.Revealed, 2);

    EXPECT_EQ(kinds(r.pickLetter(letter('B'))), (std::vector<K>{K::Picked, K::Reveal}));
    EXPECT_EQ(kinds(r.pickLetter(letter('E'))), (std::vector<K>{K::Picked, K::Reveal, K::Win}));
    EXPECT_EQ(r.Shown, "BELL");
    EXPECT_EQ(r.Revealed, 4);
}

TEST(SnowRulesTest, WrongLettersCountDownBringOutTheSunAndFinallyLose) {
    SnowRules r;
    r.newWord("SNOWFLAKES");  // ten letters: five wrong letters allowed
    ASSERT_EQ(r.Allowed, 5);
    const char misses[] = {'B', 'C', 'D', 'G', 'H'};
    for (int m = 1; m <= 5; ++m) {
        const std::vector<SnowStep> steps = r.pickLetter(letter(misses[m - 1]));
        std::vector<K> expected{K::Picked, K::Miss};
        if (m == 4) expected.push_back(K::SunOut);
        if (m == 5) expected.push_back(K::Loss);
        ASSERT_EQ(kinds(steps), expected) << m;
        EXPECT_EQ(steps[1].guessesLeft, 5 - m);
        EXPECT_EQ(steps[1].parts, snowMeltParts(5, m));
        EXPECT_EQ(r.Misses, m);
    }
    // Nothing more once the guesses are used up, a right letter included.
    EXPECT_TRUE(r.pickLetter(letter('S')).empty());
    EXPECT_EQ(r.Shown, "**********");
}

TEST(SnowRulesTest, PicksAreRefusedWithoutAWordUnderWayOrOutsideTheLetters) {
    SnowRules r;
    EXPECT_TRUE(r.pickLetter(letter('A')).empty());  // nothing started yet

    r.newWord("CAT");
    EXPECT_TRUE(r.pickLetter(-1).empty());
    EXPECT_TRUE(r.pickLetter(26).empty());
    EXPECT_FALSE(r.pickLetter(letter('C')).empty());

    r.stop();
    EXPECT_TRUE(r.pickLetter(letter('A')).empty());
    EXPECT_EQ(r.Shown, "C**");

    // The next word offers every letter again.
    r.newWord("CAT");
    EXPECT_FALSE(r.picked(letter('C')));
    EXPECT_EQ(r.Shown, "***");
    EXPECT_EQ(kinds(r.pickLetter(letter('C'))), (std::vector<K>{K::Picked, K::Reveal}));
}

TEST(SnowRulesTest, AnEmptyWordMakesEveryLetterAMissAndTheEleventhLoses) {
    SnowRules r;
    r.newWord("");
    EXPECT_EQ(r.Allowed, 11);
    EXPECT_EQ(r.Shown, "");
    for (int k = 0; k < 11; ++k) {
        const std::vector<K> got = kinds(r.pickLetter(k));
        ASSERT_GE(got.size(), 2u);
        EXPECT_EQ(got[1], K::Miss) << k;
        EXPECT_EQ(got.back() == K::Loss, k == 10) << k;
    }
    EXPECT_TRUE(r.pickLetter(11).empty());
}
