#include "BenchSentences.h"

#include <set>

std::vector<std::string> benchSentences(int count)
{
    static const char* const adjectives[] = {"big",   "small", "old",  "new",   "red",  "green", "white",
                                             "black", "quiet", "happy", "tall", "young", "poor", "rich"};
    static const char* const nouns[] = {"house", "dog",   "cat",     "car",   "garden", "book",   "table",
                                        "window", "city", "tree",    "river", "teacher", "child", "woman",
                                        "man",   "girl",  "boy",     "door",  "street", "school"};
    static const char* const verbs[] = {"sees", "has", "wants", "likes", "buys", "paints", "opens", "finds", "reads",
                                        "sells"};
    std::vector<std::string> sentences;
    std::set<std::string> seen;
    for (int i = 0; int(sentences.size()) < count; ++i) {
        std::string sentence = std::string("The ") + adjectives[i % 14] + " " + nouns[i % 20] + " " +
                               verbs[(i / 3) % 10] + " the " + adjectives[(i * 5 + 3) % 14] + " " +
                               nouns[(i * 7 + 11) % 20] + ".";
        if (seen.insert(sentence).second)
            sentences.push_back(sentence);
    }
    return sentences;
}

int endOfWord(const std::string& sentence, int words)
{
    int found = 0;
    for (std::size_t i = 0; i < sentence.size(); ++i) {
        const bool wordEnds = sentence[i] != ' ' && (i + 1 == sentence.size() || sentence[i + 1] == ' ' ||
                                                     sentence[i + 1] == '.');
        if (wordEnds && ++found == words)
            return int(i) + 1;
    }
    return int(sentence.size());
}
