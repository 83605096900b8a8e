// The word list as the program reads it from its file: through the careful
// reader, piece by piece, looking for the 500th word at each doubling of what
// has been read. Whatever the file holds, that must give exactly the words of
// the whole text parsed at once, or refuse text in a wide encoding; and the
// reader must hand back the file's bytes as they are.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "platform/data_file.h"
#include "wordgames/word_list.h"

namespace {

// A file in memory, so that a run leaves nothing behind however it ends.
const std::string& filePath() {
    static const std::string path = "/proc/self/fd/" + std::to_string(::memfd_create("words.txt", 0));
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Repeated past the first look at 64 KiB, so that the looks cut the text
    // at every kind of place the input holds.
    std::string text;
    if (size != 0)
        while (text.size() < 200000) text.append(reinterpret_cast<const char*>(data), size);
    std::ofstream(filePath(), std::ios::binary | std::ios::trunc) << text;

    const std::optional<std::string> bytes = readWholeFile(filePath(), kMaxWordListReadBytes);
    if (!bytes || *bytes != text) std::abort();

    const WordListFile file = readWordListFile(filePath());
    const bool wide =
        text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF") || text.find('\0') != std::string::npos;
    if (wide ? file.read != FileRead::Refused
             : file.read != FileRead::Done || file.words != parseWordList(text))
        std::abort();
    return 0;
}
