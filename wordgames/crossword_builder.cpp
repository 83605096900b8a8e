#include "wordgames/crossword_builder.h"

#include <algorithm>
#include <vector>

#include "launcher/shared_routines.h"
#include "platform/vbmath.h"
#include "wordgames/word_list.h"

void CrossPuzzle::clear() {
    for (auto& row : Letters) row.fill(0);
    for (auto& row : Used) row.fill(0);
    for (auto& row : CellState) row.fill(kNoWord);
    for (int i = 0; i <= kMaxPlaced; ++i) {
        Word[i].clear();
        WordRow[i] = WordCol[i] = WordAcross[i] = WordDown[i] = WordLen[i] = 0;
        WordSolved[i] = 0;
        ListOrder[i] = 0;
    }
    NumPlaced = 0;
    WordsLeft = 0;
}

void CrossPuzzle::PlaceWord(int k) {
    const std::string& w = Word[k];
    int mark = WordAcross[k] == 1 ? kAcross : kDown;
    for (int j = 0; j < WordLen[k]; ++j) {
        int r = WordRow[k] + j * WordDown[k];
        int c = WordCol[k] + j * WordAcross[k];
        Letters[r][c] = static_cast<unsigned char>(w[static_cast<std::size_t>(j)]);
        Used[r][c] |= mark;
    }
}

bool CrossPuzzle::wordFits(const std::string& w, int r, int c, bool across) const {
    const int L = static_cast<int>(w.size());
    const int dr = across ? 0 : 1, dc = across ? 1 : 0;

    // The cells just before and after the word: nothing may run on into it.
    // (Checked first as the cheapest test; the tests only decide together.)
    if (Letters[r - dr][c - dc] != 0 || Letters[r + L * dr][c + L * dc] != 0) return false;

    // Side 1 lies above (across) or left (down) of each letter, side 2 opposite.
    const int sr = dc, sc = dr;
    const int sameWay = across ? kAcross : kDown;
    bool crossed = false;
    for (int j = 0; j < L; ++j) {
        const int pr = r + j * dr, pc = c + j * dc;
        const int p = Letters[pr][pc];
        const int side1 = Letters[pr - sr][pc - sc];
        const int side2 = Letters[pr + sr][pc + sc];
        const int letter = static_cast<unsigned char>(w[static_cast<std::size_t>(j)]);
        if (side1 == 0 && p == 0) {
            if (side2 != 0) return false;
            continue;  // a free letter
        }
        if (side1 == 0 && side2 == 0) return false;  // lying along a word, not across it
        if (p != letter) return false;
        // A shared letter must belong to a word running the other way. Without
        // this a word could swallow a shorter one lying along the same line whose
        // every letter is crossed, leaving that word inside a longer run of cells
        // where no child could tell it starts.
        if (Used[pr][pc] & sameWay) return false;
        crossed = true;
    }
    if (!crossed) return false;

    for (int i = 1; i <= NumPlaced; ++i)
        if (WordRow[i] == r && WordCol[i] == c) return false;
    return true;
}

void CrossPuzzle::NewPuzzle(const std::vector<std::string>& words, int count) {
    clear();

    // The pool, positions 1 to N. Words no grid could hold stay out, so that
    // a hand-edited list can never put a letter outside the grid.
    std::vector<std::string> Pool(1);
    Pool.reserve(static_cast<std::size_t>(std::max(count, 0)) + 1);
    for (int i = 1; i <= count && i < static_cast<int>(words.size()); ++i) {
        std::string w = upperCaseWord(words[static_cast<std::size_t>(i)]);
        if (!w.empty() && w.size() <= static_cast<std::size_t>(kSize)) Pool.push_back(std::move(w));
    }
    int N = static_cast<int>(Pool.size()) - 1;
    if (N == 0) {
        finish();
        return;
    }
    std::vector<int> Perm(static_cast<std::size_t>(N) + 1);
    Shuffle(N, Perm);

    // The first word lies anywhere it fits, with no test.
    {
        std::string& w = Pool[static_cast<std::size_t>(Perm[1])];
        const int L = static_cast<int>(w.size());
        Word[1] = w;
        if (Rnd() < 0.5) {
            WordAcross[1] = 1;
            WordDown[1] = 0;
            WordRow[1] = Int(kSize * static_cast<double>(Rnd())) + 1;
            WordCol[1] = Int((kSize + 1 - L) * static_cast<double>(Rnd())) + 1;
        } else {
            WordAcross[1] = 0;
            WordDown[1] = 1;
            WordCol[1] = Int(kSize * static_cast<double>(Rnd())) + 1;
            WordRow[1] = Int((kSize + 1 - L) * static_cast<double>(Rnd())) + 1;
        }
        WordLen[1] = L;
        PlaceWord(1);
        w.clear();
        NumPlaced = 1;
    }

    int k = 2;
    int Fresh = 1;
    for (;;) {
        if (k > N) {
            // End of a pass: another only if this one placed something, since
            // only a new word can open new places.
            if (Fresh == 1) break;
            Fresh = 1;
            int kept = 0;
            for (int i = 1; i <= N; ++i) {
                if (Pool[static_cast<std::size_t>(i)].empty()) continue;
                ++kept;
                if (kept != i)
                    Pool[static_cast<std::size_t>(kept)] = std::move(Pool[static_cast<std::size_t>(i)]);
            }
            N = kept;
            Shuffle(N, Perm);
            k = 1;
            continue;
        }

        const std::string& w = Pool[static_cast<std::size_t>(Perm[static_cast<std::size_t>(k)])];
        const int L = static_cast<int>(w.size());
        const bool acrossFirst = Rnd() < 0.5;

        bool found = false;
        bool across = acrossFirst;
        int foundRow = 0, foundCol = 0;
        for (int attempt = 0; attempt < 2 && !found; ++attempt, across = !across) {
            const int lastRow = across ? kSize : kSize + 1 - L;
            const int lastCol = across ? kSize + 1 - L : kSize;
            for (int r = 1; r <= lastRow && !found; ++r) {
                for (int c = 1; c <= lastCol; ++c) {
                    if (wordFits(w, r, c, across)) {
                        found = true;
                        foundRow = r;
                        foundCol = c;
                        break;
                    }
                }
            }
            if (found) break;
        }
        if (!found) {
            ++k;
            continue;
        }

        Fresh = 0;
        const int i = ++NumPlaced;
        Word[i] = w;
        WordRow[i] = foundRow;
        WordCol[i] = foundCol;
        WordAcross[i] = across ? 1 : 0;
        WordDown[i] = across ? 0 : 1;
        WordLen[i] = L;
        PlaceWord(i);
        Pool[static_cast<std::size_t>(Perm[static_cast<std::size_t>(k)])].clear();
        if (NumPlaced == kMaxPlaced) break;
        ++k;
    }

    finish();
}

void CrossPuzzle::finish() {
    for (int r = 1; r <= kSize; ++r)
        for (int c = 1; c <= kSize; ++c) CellState[r][c] = Used[r][c] != 0 ? 0 : kNoWord;

    // Insertion sort by length, stable, so words of one length keep their
    // placement order.
    if (NumPlaced >= 1) ListOrder[1] = 1;
    for (int i = 2; i <= NumPlaced; ++i) {
        int j = 1;
        while (j < i && WordLen[ListOrder[j]] <= WordLen[i]) ++j;
        for (int m = i; m > j; --m) ListOrder[m] = ListOrder[m - 1];
        ListOrder[j] = i;
    }

    WordsLeft = NumPlaced;
}
