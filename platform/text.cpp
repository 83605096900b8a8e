#include "platform/text.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "platform/fonts.h"

QString displayText(const QString& text) {
    QString out = text;
    out.replace("\r\n", "\n");
    out.replace('\r', '\n');
    return out;
}

QString withBreaksInLongRuns(const QString& shown) {
    // Shorter runs fit any line of a message box as they are.
    constexpr qsizetype kLongRun = 40;
    const QChar zeroWidthSpace(0x200B);
    auto separator = [](QChar c) { return c == '/' || c == '\\'; };
    QString out;
    out.reserve(shown.size());
    qsizetype i = 0;
    while (i < shown.size()) {
        if (shown[i].isSpace()) {
            out += shown[i++];
            continue;
        }
        qsizetype end = i;
        while (end < shown.size() && !shown[end].isSpace()) ++end;
        if (end - i <= kLongRun) {
            out += shown.mid(i, end - i);
            i = end;
            continue;
        }
        // Each part of the run ends after its separator.
        for (qsizetype start = i; start < end;) {
            qsizetype stop = start;
            while (stop < end && !separator(shown[stop])) ++stop;
            if (stop < end) ++stop;
            const bool anywhere = stop - start > kLongRun;
            for (qsizetype j = start; j < stop; ++j) {
                out += shown[j];
                if (j + 1 == end) break;
                const QChar next = shown[j + 1];
                if (j + 1 == stop || (anywhere && !next.isLowSurrogate() && !next.isMark()))
                    out += zeroWidthSpace;
            }
            start = stop;
        }
        i = end;
    }
    return out;
}

namespace {

// The font may shrink to this share of its size to keep phrases whole; below
// it the text no longer looks like its neighbours, so phrases break instead.
constexpr double kPhraseShare = 0.8;
// Smaller still, to keep a text whole that no breaking fits (a clock's time,
// a long name in a small box); below it a child would strain to read it.
constexpr double kWholeShare = 0.6;

bool endsPhrase(QChar c) {
    return c == '-' || c == ',' || c == ':' || c == ';' || c == '.' || c == '!' || c == '?';
}

qsizetype trimmedSize(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return n;
}

QString trimmedEnd(const QString& s) { return s.left(trimmedSize(s)); }

bool isSentence(const QString& phrase) {
    const qsizetype n = trimmedSize(phrase);
    return n > 0 && (phrase[n - 1] == '.' || phrase[n - 1] == '!' || phrase[n - 1] == '?');
}

// The pieces of a line, split off only as far as they are asked for: after
// each run of blanks that follows a phrase end (or, for words, after every
// run of blanks); each piece keeps its trailing blanks.
class PieceList {
public:
    PieceList(QString line, bool words) : line_(std::move(line)), words_(words) {}
    // The piece at the index; none past the last.
    std::optional<QString> at(qsizetype index) {
        while (made_.size() <= index && !done_) splitNext();
        if (index >= made_.size()) return std::nullopt;
        return made_[index];
    }

private:
    void splitNext() {
        for (qsizetype i = next_; i < line_.size(); ++i) {
            if (line_[i] != ' ' || line_[i - 1] == ' ' || (!words_ && !endsPhrase(line_[i - 1]))) continue;
            qsizetype end = i;
            while (end < line_.size() && line_[end] == ' ') ++end;
            if (end == line_.size()) break;
            made_ << line_.mid(start_, end - start_);
            start_ = next_ = end;
            return;
        }
        made_ << line_.mid(start_);
        done_ = true;
    }
    QString line_;
    bool words_;
    QStringList made_;
    qsizetype start_ = 0, next_ = 1;
    bool done_ = false;
};

// n, or one more where the n-th character of s would split a pair.
qsizetype wholeLength(const QString& s, qsizetype n) {
    return n < s.size() && n > 0 && s[n - 1].isHighSurrogate() ? n + 1 : n;
}

// The first n characters of s, or one more where the n-th would split a pair.
QString startOf(const QString& s, qsizetype n) { return s.left(wholeLength(s, n)); }

// Characters drawn over the one before them (accents) or not drawn at all
// (zero-width spaces and joiners, direction marks): they take no room.
bool takesNoRoom(char32_t c) {
    // Most text is all below the combining accents, where only the soft hyphen
    // takes no room, or among them.
    if (c < 0x300) return c == 0xAD;
    if (c < 0x370) return true;
    switch (QChar::category(c)) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_Enclosing:
        case QChar::Other_Format:
            return true;
        default:
            return false;
    }
}

// The character that starts at i, and where the next one starts.
char32_t characterAt(const QString& s, qsizetype& i) {
    const QChar c = s[i++];
    if (c.isHighSurrogate() && i < s.size() && s[i].isLowSurrogate())
        return QChar::surrogateToUcs4(c, s[i++]);
    return c.unicode();
}

// The most characters that take no room a text shows in a row: enough for a
// letter's accents or an emoji's joiners and tags. More add nothing a box can
// show, yet each costs as much to lay out as a letter, and a name of thousands
// of zero-width spaces would be laid out whole at every size tried.
constexpr qsizetype kNoRoomRun = 8;

}  // namespace

QString withShortNoRoomRuns(const QString& text) {
    QString out;
    qsizetype copied = 0, run = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype at = i;
        if (!takesNoRoom(characterAt(text, i))) {
            run = 0;
        } else if (++run > kNoRoomRun) {
            out += QStringView(text).mid(copied, at - copied);
            copied = i;
        }
    }
    if (copied == 0) return text;
    out += QStringView(text).mid(copied);
    return out;
}

namespace {

// How many characters of s a start must hold to pass any box in which each
// character that takes room takes half a pixel or more; all of s when it holds
// fewer.
qsizetype passingLength(const QString& s, int width) {
    const qsizetype needed = 2 * static_cast<qsizetype>(width) + 16;
    qsizetype i = 0;
    for (qsizetype roomy = 0; i < s.size() && roomy < needed;)
        if (!takesNoRoom(characterAt(s, i))) ++roomy;
    return i;
}

// How wide the first n characters of s are. Where characters that take no
// room outnumber those that do (letters buried in accents), they are left out
// of the measuring: they add no width, but cost as much to measure as letters.
int widthOf(const QFontMetrics& fm, const QString& s, qsizetype n) {
    qsizetype none = 0;
    for (qsizetype i = 0; i < n;)
        if (takesNoRoom(characterAt(s, i))) ++none;
    if (2 * none <= n) return fm.horizontalAdvance(n == s.size() ? s : s.left(n));
    QString roomy;
    roomy.reserve(n - none);
    for (qsizetype i = 0; i < n;) {
        const qsizetype at = i;
        if (!takesNoRoom(characterAt(s, i))) roomy += QStringView(s).mid(at, i - at);
    }
    return fm.horizontalAdvance(roomy);
}

// Whether the first n characters of s are no wider than width. A box shows
// only what fits in it, so a text far longer than its box (a name of thousands
// of letters) is measured first by starts of growing length: as soon as one
// passes the box, so does the whole. Measuring all of it at every size tried
// would hold the window for seconds.
bool fitsIn(const QFontMetrics& fm, const QString& s, qsizetype n, int width) {
    if (n > width / 4 + 8) {
        const qsizetype longest = passingLength(s, width);
        for (qsizetype probe = width / 4 + 8; probe < n; probe = std::min(4 * probe, longest)) {
            if (widthOf(fm, s, wholeLength(s, probe)) > width) return false;
            if (probe == longest) break;
        }
    }
    return widthOf(fm, s, n) <= width;
}

bool fits(const QFontMetrics& fm, const QString& s, int width) { return fitsIn(fm, s, s.size(), width); }

// Whether s, without its trailing blanks, is no wider than width.
bool fitsTrimmed(const QFontMetrics& fm, const QString& s, int width) {
    return fitsIn(fm, s, trimmedSize(s), width);
}

// The text shortened with an ellipsis to the width, as the font metrics
// shorten it; only the shortest start tried that passes the box is handed on.
QString elided(const QFontMetrics& fm, const QString& text, int width) {
    const qsizetype longest = passingLength(text, width);
    for (qsizetype probe = width / 4 + 8; probe < text.size(); probe = std::min(2 * probe, longest)) {
        const QString start = startOf(text, probe);
        if (widthOf(fm, start, start.size()) > width) return fm.elidedText(start, Qt::ElideRight, width);
        if (probe == longest) break;
    }
    return fm.elidedText(text, Qt::ElideRight, width);
}

// The lines of a text, each split into its phrases and each phrase into its
// words only as far as they are needed: the same pieces serve every size
// tried, and a text far longer than its box is split no further than it shows.
class Pieces {
public:
    explicit Pieces(const QString& shown) : lines_(shown.split('\n')), split_(lines_.size()) {}
    const QStringList& lines() const { return lines_; }
    std::optional<QString> phrase(qsizetype line, qsizetype index) const {
        return split(line).phrases.at(index);
    }
    PieceList& words(qsizetype line, qsizetype index) const {
        Split& s = split(line);
        if (static_cast<qsizetype>(s.words.size()) <= index)
            s.words.resize(static_cast<std::size_t>(index + 1));
        auto& w = s.words[static_cast<std::size_t>(index)];
        if (!w) w.emplace(*s.phrases.at(index), true);
        return *w;
    }

private:
    struct Split {
        PieceList phrases;
        std::vector<std::optional<PieceList>> words;
    };
    Split& split(qsizetype line) const {
        auto& s = split_[static_cast<std::size_t>(line)];
        if (!s) s.emplace(Split{PieceList(lines_[line], false), {}});
        return *s;
    }
    QStringList lines_;
    mutable std::vector<std::optional<Split>> split_;
};

// Lines laid out as far as a given count and one more: complete when they are
// all the text's lines, else the first lines of the text, more than the count.
struct Laid {
    QStringList lines;
    bool complete = true;
};

// A phrase too wide for a line, broken between its words: each line takes as
// many words as fit, except that a last word is not left alone on the last
// line when the line before can spare one. The last line keeps its trailing
// blanks. With elide, a word too wide for a line is shortened with an
// ellipsis; else such a word gives no lines at all. Past the first `rows`
// lines and one more, breaking stops: those lines no longer change.
std::optional<Laid> wrapPhrase(PieceList& words, const QFontMetrics& fm, int width, bool elide,
                               qsizetype rows) {
    std::vector<QStringList> row(1);
    QString rowText;
    for (qsizetype k = 0; std::optional<QString> next = words.at(k); ++k) {
        QString word = *next;
        // A word that fits after others on a row fits a row by itself.
        if (!row.back().isEmpty() && fitsTrimmed(fm, rowText + word, width)) {
            row.back() << word;
            rowText += word;
            continue;
        }
        if (!fitsTrimmed(fm, word, width)) {
            if (!elide) return std::nullopt;
            const QString bare = trimmedEnd(word);
            word = elided(fm, bare, width) + word.mid(bare.size());
        }
        if (!row.back().isEmpty() && !fitsTrimmed(fm, rowText + word, width)) {
            // Only the last two rows may yet change, by the last word's move.
            if (static_cast<qsizetype>(row.size()) >= rows + 2) {
                Laid cut{{}, false};
                for (qsizetype i = 0; i <= rows; ++i) cut.lines << trimmedEnd(row[i].join(QString()));
                return cut;
            }
            row.emplace_back();
            rowText.clear();
        }
        row.back() << word;
        rowText += word;
    }
    if (row.size() >= 2 && row.back().size() == 1) {
        QStringList& before = row[row.size() - 2];
        if (before.size() >= 2 && fitsTrimmed(fm, before.back() + row.back().front(), width))
            row.back().prepend(before.takeLast());
    }
    Laid out;
    for (const QStringList& r : row) out.lines << trimmedEnd(r.join(QString()));
    out.lines.back() = row.back().join(QString());
    return out;
}

enum class Breaks {
    Phrases,  // between phrases; a sentence may also break between its words
    Words,    // between the words of any phrase too
    Elided,   // as Words, a word too wide for a line shortened
};

// Each line broken at phrase ends first, phrases joined on a line while they
// fit; empty when a phrase that may not break does not fit. Stops once more
// than `limit` lines are made.
std::optional<Laid> breakLines(const Pieces& text, const QFontMetrics& fm, int width, Breaks breaks,
                               qsizetype limit) {
    Laid out;
    const auto over = [&] { return out.lines.size() > limit; };
    for (qsizetype l = 0; l < text.lines().size(); ++l) {
        const qsizetype before = out.lines.size();
        QString current;
        for (qsizetype k = 0; std::optional<QString> next = text.phrase(l, k); ++k) {
            const QString& phrase = *next;
            if (fitsTrimmed(fm, current + phrase, width)) {
                current += phrase;
                continue;
            }
            if (trimmedSize(current) > 0) out.lines << trimmedEnd(current);
            if (over()) break;
            // After nothing, the phrase alone was measured just now.
            if (!std::exchange(current, QString()).isEmpty() && fitsTrimmed(fm, phrase, width)) {
                current = phrase;
                continue;
            }
            if (breaks == Breaks::Phrases && !isSentence(phrase)) return std::nullopt;
            const std::optional<Laid> wrapped =
                wrapPhrase(text.words(l, k), fm, width, breaks == Breaks::Elided, limit - out.lines.size());
            if (!wrapped) return std::nullopt;
            if (!wrapped->complete) {
                out.lines << wrapped->lines;
                break;
            }
            out.lines << wrapped->lines.mid(0, wrapped->lines.size() - 1);
            current = wrapped->lines.back();
            if (over()) break;
        }
        if (over()) {
            out.complete = false;
            return out;
        }
        if (trimmedSize(current) > 0 || out.lines.size() == before) out.lines << trimmedEnd(current);
        if (over() && l + 1 < text.lines().size()) {
            out.complete = false;
            return out;
        }
    }
    return out;
}

// The most lines that have room in the height. A single line always has
// room: drawn centred on a box a little lower than the font's line, only the
// empty space above and below its letters is lost.
qsizetype roomFor(const QFontMetrics& fm, int height) {
    if (height < fm.height()) return 1;
    return (height - fm.height()) / std::max(1, fm.lineSpacing()) + 1;
}

// The longest start of text that the suffix still fits after, where each
// character added makes it wider; tried from short starts up, so a long text
// costs little more than the part that shows.
QString longestStartFitting(const QFontMetrics& fm, const QString& text, const QString& suffix, int width) {
    const auto fitsWith = [&](qsizetype k) { return fits(fm, text.left(k) + suffix, width); };
    const qsizetype n = text.size();
    qsizetype good = 0, step = 1;
    while (good < n && fitsWith(std::min(n, good + step))) {
        good = std::min(n, good + step);
        step *= 2;
    }
    if (good == n) return text;
    qsizetype bad = std::min(n, good + step);  // fitsWith(bad) is false
    while (bad - good > 1) {
        const qsizetype mid = good + (bad - good) / 2;
        (fitsWith(mid) ? good : bad) = mid;
    }
    return text.left(good);
}

}  // namespace

FittedText fitText(const QString& given, const QFont& font, int width, int height, bool wrap) {
    const QString shown = withShortNoRoomRuns(given);
    if (width <= 0 || height <= 0) return FittedText{font, shown.split('\n')};
    const Pieces text(shown);
    const int designed = pixelSizeOf(font);
    auto sized = [&](int pixels) {
        if (pixels == designed) return font;
        QFont f = font;
        f.setPixelSize(std::max(1, pixels));
        return f;
    };
    auto layOut = [&](const QFontMetrics& fm, Breaks breaks, qsizetype limit) -> std::optional<Laid> {
        if (wrap) return breakLines(text, fm, width, breaks, limit);
        Laid out;
        for (const QString& l : text.lines()) {
            if (out.lines.size() > limit) {
                out.complete = false;
                break;
            }
            if (fits(fm, l, width))
                out.lines << l;
            else if (breaks == Breaks::Elided)
                out.lines << elided(fm, l, width);
            else
                return std::nullopt;
        }
        return out;
    };
    // What is known not to fit at each size: the ways of breaking tried there,
    // and the first way that made too many lines. Each way differs from the
    // one before it only in what it does with a phrase or word too wide for a
    // line; lines made without meeting one come out the same either way, so
    // too many lines one way are too many every later way.
    std::set<std::pair<int, Breaks>> tried;
    std::map<int, Breaks> tooMany;
    // The largest size, from the designed one down to a share of it, at which
    // the lines fit.
    auto attempt = [&](Breaks breaks, double share) -> std::optional<FittedText> {
        const int smallest = std::max(1, static_cast<int>(std::ceil(designed * share)));
        for (int px = designed; px >= smallest; --px) {
            if (!tried.emplace(px, breaks).second) continue;
            if (auto it = tooMany.find(px); it != tooMany.end() && it->second <= breaks) continue;
            const QFont f = sized(px);
            const QFontMetrics fm(f);
            const qsizetype room = roomFor(fm, height);
            const std::optional<Laid> broken = layOut(fm, breaks, room);
            if (!broken) continue;
            if (broken->complete && broken->lines.size() <= room) return FittedText{f, broken->lines};
            tooMany.emplace(px, breaks);
        }
        return std::nullopt;
    };
    // Shrinking is worth it only where it keeps the text whole; a word that is
    // shortened anyway is shortened at the largest size that has room.
    const std::pair<Breaks, double> tries[] = {{Breaks::Phrases, kPhraseShare},
                                               {Breaks::Words, kPhraseShare},
                                               {Breaks::Words, kWholeShare},
                                               {Breaks::Elided, kPhraseShare}};
    for (const auto& [breaks, share] : tries) {
        if (auto fitted = attempt(breaks, share)) return *fitted;
    }

    // Too many lines at any size: at the designed size, those that have room,
    // the last of them ending in an ellipsis, as more follows.
    const QFontMetrics fm(font);
    const qsizetype room = roomFor(fm, height);
    const QString ellipsis(QChar(0x2026));
    for (qsizetype limit = room;; limit *= 2) {
        Laid laid = layOut(fm, Breaks::Elided, limit).value_or(Laid{text.lines(), true});
        QStringList& out = laid.lines;
        if (laid.complete && out.size() <= room) return FittedText{font, out};
        const QString last = out.mid(room - 1).join(' ');
        // Lines not laid out yet would only lengthen the last one, unless what
        // is there already passes the box.
        if (!laid.complete && fits(fm, last + ellipsis, width)) continue;
        out = out.mid(0, room - 1);
        out << trimmedEnd(longestStartFitting(fm, last, ellipsis, width)) + ellipsis;
        return FittedText{font, out};
    }
}

const FittedText& FittedTextCache::get(const QString& shown, const QFont& font, QSize box, bool wrap) {
    const QString fontKey = font.key();
    if (!valid_ || shown != shown_ || fontKey != fontKey_ || box != box_ || wrap != wrap_) {
        fitted_ = fitText(shown, font, box.width(), box.height(), wrap);
        shown_ = shown;
        fontKey_ = fontKey;
        box_ = box;
        wrap_ = wrap;
        valid_ = true;
    }
    return fitted_;
}
