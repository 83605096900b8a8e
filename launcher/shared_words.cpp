#include "launcher/shared_words.h"

std::vector<std::string> gWordList(kMaxWords + 1);
int gWordCount = 0;
std::string gSnowWord;
