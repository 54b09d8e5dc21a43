// Guesses which language a short text is written in, from the letters, pairs and
// triples of letters its words are made of (" th", "the", "he "), weighed by how
// common each is in the language's sample passage (samples.js). Cheap enough to
// run on every text, so that the page asks the translation server with the likely
// pair instead of every pair.
window.QUILLORA_GUESS = (function () {
    const samples = window.QUILLORA_SAMPLES || {};
    // Room left for what a sample never shows, by length (letters, pairs, triples):
    // a triple seen c times among a sample's n triples counts (c + 1) / (n + 20000).
    const unseenRoom = [0, 100, 2000, 20000];
    let profiles = null;

    // Every run of one to three letters of each word, with a blank before and after
    // the word: triples tell common words and endings apart, where a triple was
    // never seen its letters and pairs still tell something.
    function piecesOf(text) {
        const words = text.toLowerCase().match(/\p{L}+/gu) || [];
        const pieces = [];
        words.forEach(function (word) {
            const letters = Array.from(" " + word + " ");
            for (let length = 1; length <= 3; ++length)
                for (let i = 0; i + length <= letters.length; ++i)
                    pieces.push(letters.slice(i, i + length).join(""));
        });
        return pieces;
    }

    function lengthOf(piece) { return Array.from(piece).length; }

    function profileOf(sample) {
        const counts = new Map();
        const totals = [0, 0, 0, 0];
        piecesOf(sample).forEach(function (piece) {
            counts.set(piece, (counts.get(piece) || 0) + 1);
            ++totals[lengthOf(piece)];
        });
        return { counts: counts, totals: totals };
    }

    // Built on first use, not while the page loads.
    function allProfiles() {
        if (!profiles) {
            profiles = new Map();
            Object.keys(samples).forEach(function (code) { profiles.set(code, profileOf(samples[code])); });
        }
        return profiles;
    }

    // What a piece counts in a sample that never showed it, for an average sample:
    // a language without a sample wins only over languages the text fits worse.
    function unseenInAverage(length) {
        let total = 0;
        allProfiles().forEach(function (p) { total += p.totals[length]; });
        const average = allProfiles().size ? total / allProfiles().size : 0;
        return 1 / (average + unseenRoom[length]);
    }

    function logLikelihood(pieces, code) {
        const profile = allProfiles().get(code.split("_")[0]);
        let sum = 0;
        pieces.forEach(function (piece) {
            const length = lengthOf(piece);
            sum += Math.log(profile
                ? ((profile.counts.get(piece) || 0) + 1) / (profile.totals[length] + unseenRoom[length])
                : unseenInAverage(length));
        });
        return sum;
    }

    // The given language codes, likeliest first, each with its log-likelihood.
    // Codes that score the same keep their given order.
    function rank(text, codes) {
        const pieces = piecesOf(text);
        return codes.map(function (code) { return { code: code, score: logLikelihood(pieces, code) }; })
            .sort(function (a, b) { return b.score - a.score; });
    }

    return { rank: rank };
})();
