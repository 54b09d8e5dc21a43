#pragma once
// The distinct short English sentences the desktop benchmark selects, one per terminal
// row; made of words the English-Spanish pair knows.

#include <string>
#include <vector>

std::vector<std::string> benchSentences(int count);
// Where the n-th word of a sentence ends (column just past it); the whole length past
// the last word.
int endOfWord(const std::string& sentence, int words);
